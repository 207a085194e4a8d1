#include "app/win32/antenna_captions.h"

#include <commctrl.h>

#include <string>

#include "app/win32/rename_dialog.h"
#include "platform/win32/wide_text.h"

namespace torvik::win32 {
namespace {

TTTOOLINFOW ToolOf(HWND dialog, HWND button) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    return tool;
}

}  // namespace

void AntennaCaptions::Attach(HWND dialog, const std::array<HWND, 3>& buttons) {
    dialog_ = dialog;
    buttons_ = buttons;
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tooltip_ == nullptr) return;
    for (HWND button : buttons_) {
        TTTOOLINFOW tool = ToolOf(dialog_, button);
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void AntennaCaptions::Show(const AntennaNames& names) {
    for (int i = 0; i < 3; ++i) {
        HWND button = buttons_[static_cast<std::size_t>(i)];
        if (button == nullptr) continue;
        const std::wstring caption = WideFromUtf8(ShownName(names, i));
        SetWindowTextW(button, caption.c_str());
        InvalidateRect(button, nullptr, FALSE);
        if (tooltip_ != nullptr) {
            // An antenna without a name has no tip: its caption says it all.
            std::wstring tip = names[static_cast<std::size_t>(i)].empty() ? L"" : caption;
            TTTOOLINFOW tool = ToolOf(dialog_, button);
            tool.lpszText = tip.data();
            SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

bool AntennaCaptions::OnContextMenu(WPARAM wParam, LPARAM lParam, SwitchController& controller) {
    for (int i = 0; i < 3; ++i) {
        if (reinterpret_cast<HWND>(wParam) != buttons_[static_cast<std::size_t>(i)]) continue;
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (at.x == -1 && at.y == -1) {
            // From the keyboard: under the button's top left corner.
            RECT rect{};
            GetWindowRect(buttons_[static_cast<std::size_t>(i)], &rect);
            at = {rect.left, rect.bottom};
        }
        ShowAntennaMenu(dialog_, controller, i, at);
        return true;
    }
    return false;
}

}  // namespace torvik::win32

#include "app/win32/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

#include "platform/win32/wide_text.h"
#include "platform/win32/win_handle.h"

namespace torvik::win32 {
namespace {

// The tip as UTF-16, cut to the record's room without splitting a surrogate pair.
void CopyTip(NOTIFYICONDATAW& record, const std::string& tip) {
    const std::wstring wide = WideFromUtf8(tip);
    constexpr std::size_t kRoom = sizeof record.szTip / sizeof record.szTip[0] - 1;
    std::size_t length = std::min(wide.size(), kRoom);
    if (length < wide.size() && length > 0 && IS_HIGH_SURROGATE(wide[length - 1])) --length;
    std::wmemcpy(record.szTip, wide.data(), length);
    record.szTip[length] = L'\0';
}

}  // namespace

NOTIFYICONDATAW TrayRecord(HWND window, UINT id) {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    return record;
}

void AddTrayIcon(HWND window, UINT id, HICON icon, const std::string& tip) {
    NOTIFYICONDATAW record = TrayRecord(window, id);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAY_NOTIFY;
    record.hIcon = icon;
    CopyTip(record, tip);
    Shell_NotifyIconW(NIM_ADD, &record);
}

void SetTrayTip(HWND window, UINT id, const std::string& tip) {
    NOTIFYICONDATAW record = TrayRecord(window, id);
    record.uFlags = NIF_TIP;
    CopyTip(record, tip);
    Shell_NotifyIconW(NIM_MODIFY, &record);
}

void RemoveTrayIcon(HWND window, UINT id) {
    NOTIFYICONDATAW record = TrayRecord(window, id);
    Shell_NotifyIconW(NIM_DELETE, &record);
}

TrayMouse TrayMouseOf(LPARAM lParam) {
    switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN: return TrayMouse::kLeftDown;
    case WM_RBUTTONDOWN: return TrayMouse::kRightDown;
    case WM_LBUTTONDBLCLK: return TrayMouse::kLeftDoubleClick;
    default: return TrayMouse::kOther;
    }
}

void ShowTrayMenu(HWND window, const std::vector<TrayMenuItem>& items) {
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    // While the taskbar (or any window) is in front, the menu opens at its upper edge.
    if (HWND foreground = GetForegroundWindow(); foreground != nullptr) {
        RECT rect;
        if (GetWindowRect(foreground, &rect) != FALSE && cursor.y > rect.top) {
            cursor.y = rect.top;
        }
    }

    MenuHandle menu(CreatePopupMenu());
    if (!menu) {
        return;
    }
    for (const TrayMenuItem& item : items) {
        const auto command = static_cast<UINT_PTR>(item.command);
        AppendMenuW(menu.Get(), MF_STRING, command, WideFromUtf8(item.text).c_str());
        if (item.checked) {
            CheckMenuItem(menu.Get(), static_cast<UINT>(command), MF_BYCOMMAND | MF_CHECKED);
        }
    }
    TrackPopupMenu(menu.Get(), 0, cursor.x, cursor.y, 0, window, nullptr);
}

}  // namespace torvik::win32

#include "app/win32/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "app/win32/wide_text.h"
#include "platform/win32/win_handle.h"

namespace torvik::win32 {
namespace {

// The tip is UTF-8 (names, the em dash of "transmitting"); the icon's record takes the ANSI
// code page, where a character it lacks shows as '?'. No ANSI text is longer than its UTF-8.
void CopyTip(NOTIFYICONDATAA& record, const std::string& tip) {
    const std::wstring wide = WideFromUtf8(tip);
    char ansi[sizeof record.szTip] = {};
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                           ansi, static_cast<int>(sizeof ansi - 1), "?", nullptr);
    std::memcpy(record.szTip, ansi, sizeof ansi);
    record.szTip[std::clamp(length, 0, static_cast<int>(sizeof record.szTip - 1))] = '\0';
}

}  // namespace

NOTIFYICONDATAA TrayRecord(HWND window, UINT id) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    return record;
}

void AddTrayIcon(HWND window, UINT id, HICON icon, const std::string& tip) {
    NOTIFYICONDATAA record = TrayRecord(window, id);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAY_NOTIFY;
    record.hIcon = icon;
    CopyTip(record, tip);
    Shell_NotifyIconA(NIM_ADD, &record);
}

void SetTrayTip(HWND window, UINT id, const std::string& tip) {
    NOTIFYICONDATAA record = TrayRecord(window, id);
    record.uFlags = NIF_TIP;
    CopyTip(record, tip);
    Shell_NotifyIconA(NIM_MODIFY, &record);
}

void RemoveTrayIcon(HWND window, UINT id) {
    NOTIFYICONDATAA record = TrayRecord(window, id);
    Shell_NotifyIconA(NIM_DELETE, &record);
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
        AppendMenuA(menu.Get(), MF_STRING, command, item.text.c_str());
        if (item.checked) {
            CheckMenuItem(menu.Get(), static_cast<UINT>(command), MF_BYCOMMAND | MF_CHECKED);
        }
    }
    TrackPopupMenu(menu.Get(), 0, cursor.x, cursor.y, 0, window, nullptr);
}

}  // namespace torvik::win32

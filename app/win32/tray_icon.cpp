#include "app/win32/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/win32/win_handle.h"
#include "res/resource.h"

namespace torvik::win32 {
namespace {
constexpr std::uint32_t kMaxAntennaItems = 3;  // antennaOn holds three antennas and the fourth output

void CopyTip(NOTIFYICONDATAA& record, const std::string& tip) {
    const std::size_t length = std::min(tip.size(), sizeof record.szTip - 1);
    std::memcpy(record.szTip, tip.data(), length);
    record.szTip[length] = '\0';
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

void ShowTrayMenu(HWND window, bool devicePresent, std::uint32_t antennaCount,
                  const std::int32_t antennaOn[4]) {
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
    if (devicePresent && antennaCount > 0) {
        const std::uint32_t items = std::min(antennaCount, kMaxAntennaItems);
        for (std::uint32_t i = 1; i <= items; ++i) {
            char text[32];
            std::snprintf(text, sizeof(text), "Antenna %d", static_cast<int>(i));
            const UINT command = IDC_ANTENNA1 - 1 + i;
            AppendMenuA(menu.Get(), MF_STRING, command, text);
            CheckMenuItem(menu.Get(), command,
                          MF_BYCOMMAND | (antennaOn[i - 1] != 0 ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    AppendMenuA(menu.Get(), MF_STRING, ID_OPEN_DIALOG, "open Dialog");
    AppendMenuA(menu.Get(), MF_STRING, ID_BAND_FOLLOWING, "Band following");
    AppendMenuA(menu.Get(), MF_STRING, IDC_EXIT, "Exit");
    TrackPopupMenu(menu.Get(), 0, cursor.x, cursor.y, 0, window, nullptr);
}

}  // namespace torvik::win32

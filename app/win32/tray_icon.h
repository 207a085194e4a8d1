#pragma once
// The notification-area icon of the main window and its menu.

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

namespace torvik::win32 {

inline constexpr UINT kTrayIconId = 149;
inline constexpr UINT WM_TRAY_NOTIFY = 0x2341;

// The record handed to the shell. Its size is the first version's (88 bytes on 32-bit
// Windows, 104 on 64-bit), the layout with the 64-byte tip that the icon needs.
NOTIFYICONDATAA TrayRecord(HWND window, UINT id);

// tip: at most 63 characters are shown (the first version's field); a longer one is cut.
void AddTrayIcon(HWND window, UINT id, HICON icon, const std::string& tip);
void SetTrayTip(HWND window, UINT id, const std::string& tip);
void RemoveTrayIcon(HWND window, UINT id);

// Shows the tray menu at the cursor (at the foreground window's top edge when the cursor lies
// below it) and returns when it closes; the choice reaches window as a WM_COMMAND. Antenna
// items are offered only with a box present.
void ShowTrayMenu(HWND window, bool devicePresent, std::uint32_t antennaCount,
                  const std::int32_t antennaOn[4]);

}  // namespace torvik::win32

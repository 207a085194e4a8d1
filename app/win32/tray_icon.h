#pragma once
// The notification-area icon of the main window and its menu.

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "app/tray_menu.h"

#include "app/win32/window_messages.h"

namespace torvik::win32 {

inline constexpr UINT kTrayIconId = 149;
inline constexpr UINT WM_TRAY_NOTIFY = msg::kTrayNotify;
inline constexpr const char* kTrayTip = "Karrow Antenna Control";

// The record handed to the shell. Its size is the first version's (88 bytes on 32-bit
// Windows, 104 on 64-bit), the layout with the 64-byte tip that the icon needs.
NOTIFYICONDATAA TrayRecord(HWND window, UINT id);

void AddTrayIcon(HWND window, UINT id, HICON icon);
void RemoveTrayIcon(HWND window, UINT id);

// The mouse message of a WM_TRAY_NOTIFY (its lParam) as the tray rules know it.
TrayMouse TrayMouseOf(LPARAM lParam);

// Shows the menu at the cursor (at the foreground window's top edge when the cursor lies
// below it) and returns when it closes; the choice reaches window as a WM_COMMAND.
void ShowTrayMenu(HWND window, const std::vector<TrayMenuItem>& items);

}  // namespace torvik::win32

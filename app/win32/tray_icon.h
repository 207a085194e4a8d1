#pragma once
// The notification-area icon of the main window and its menu.

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/tray_clicks.h"
#include "app/tray_menu.h"
#include "app/win32/window_messages.h"

namespace torvik::win32 {

inline constexpr UINT kTrayIconId = 149;
inline constexpr UINT WM_TRAY_NOTIFY = msg::kTrayNotify;

// The record handed to the shell, in the first version's layout: the one with the 64-character
// tip that the icon needs, understood by every shell.
NOTIFYICONDATAW TrayRecord(HWND window, UINT id);

// tip: at most 63 characters are shown (the first version's field); a longer one is cut.
void AddTrayIcon(HWND window, UINT id, HICON icon, const std::string& tip);
void SetTrayTip(HWND window, UINT id, const std::string& tip);
void RemoveTrayIcon(HWND window, UINT id);

// The mouse message of a WM_TRAY_NOTIFY (its lParam) as the tray rules know it.
TrayMouse TrayMouseOf(LPARAM lParam);

// Shows the menu at the cursor (at the foreground window's top edge when the cursor lies
// below it) and returns when it closes; the choice reaches window as a WM_COMMAND.
void ShowTrayMenu(HWND window, const std::vector<TrayMenuItem>& items);

}  // namespace torvik::win32

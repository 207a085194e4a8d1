#pragma once
// The main window's private message numbers: the program itself and every client that sends
// remote-control messages (torvikctl, other programs) use these same numbers.

#include <cstdint>

namespace torvik::msg {

inline constexpr std::uint32_t kTrayNotify = 0x2341;       // WM_TRAY_NOTIFY
inline constexpr std::uint32_t kRemoteHide = 0x2342;       // WM_REMOTE_HIDE
inline constexpr std::uint32_t kRemoteReload = 0x2354;     // WM_REMOTE_RELOAD
inline constexpr std::uint32_t kRemoteExit = 0x2355;       // WM_REMOTE_EXIT
inline constexpr std::uint32_t kRemoteSetState = 0x26C4;   // WM_REMOTE_SET_STATE
inline constexpr std::uint32_t kRemoteGetState = 0x26C5;   // WM_REMOTE_GET_STATE
inline constexpr std::uint32_t kCommand = 0x0111;          // WM_COMMAND

// The main window's own window class (see IsMainWindow in start_options.h).
inline constexpr const char* kMainWindowClass = "TorvikMainWindow";

// The tray menu's "open Dialog" command, sent as WM_COMMAND with lParam 0.
inline constexpr std::uint32_t kOpenDialogCommand = 1024;   // ID_OPEN_DIALOG

}  // namespace torvik::msg

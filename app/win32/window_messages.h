#pragma once
// The main window's own numbers and names on Windows; the remote-control messages are the
// protocol's (app/remote_messages.h).

#include <cstdint>

#include "app/remote_messages.h"

namespace torvik::msg {

inline constexpr std::uint32_t kTrayNotify = 0x2341;       // WM_TRAY_NOTIFY

// The main window's own window class (see IsMainWindow in start_options.h).
inline constexpr const char* kMainWindowClass = "TorvikMainWindow";

// The tray menu's "open Dialog" command, sent as WM_COMMAND with lParam 0.
inline constexpr std::uint32_t kOpenDialogCommand = 1024;   // ID_OPEN_DIALOG

}  // namespace torvik::msg

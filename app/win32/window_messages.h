#pragma once
// The main window's own numbers and names on Windows; the remote-control messages are the
// protocol's (app/remote_messages.h).

#include <cstdint>

#include "app/remote_messages.h"

namespace torvik::msg {

inline constexpr std::uint32_t kTrayNotify = 0x2341;       // WM_TRAY_NOTIFY

// The MQTT link's thread has events waiting (posted by it); and the main window's own note that
// the box's state may have changed, posted once and handled after what changed it.
inline constexpr std::uint32_t kMqttEvents = 0x2374;        // WM_MQTT_EVENTS
inline constexpr std::uint32_t kMqttRefresh = 0x2375;       // WM_MQTT_REFRESH

// The main window's own window class (see IsMainWindow in start_options.h).
inline constexpr const char* kMainWindowClass = "TorvikMainWindow";

// torvikctl's bands request: a WM_COPYDATA with the request tag and the words as JoinWords made
// them; wParam names torvikctl's window, which receives the reply's text as a WM_COPYDATA with
// the reply tag. The program answers kBandsReplyHandled plus the reply's code.
inline constexpr std::uintptr_t kBandsRequestTag = 0x54424E44;  // "TBND"
inline constexpr std::uintptr_t kBandsReplyTag = 0x54424E45;
inline constexpr int kBandsReplyHandled = 0x100;
// torvikctl's names, lock and unlock: the whole command's words, with this tag; answered and
// replied to as a bands request.
inline constexpr std::uintptr_t kStationRequestTag = 0x5453544E;  // "TSTN"

// The tray menu's "open Dialog" command, sent as WM_COMMAND with lParam 0.
inline constexpr std::uint32_t kOpenDialogCommand = 1024;   // ID_OPEN_DIALOG

}  // namespace torvik::msg

#include "app/win32/remote_messages.h"

#include <limits>

#include "app/control_ids.h"
#include "app/win32/window_messages.h"

namespace torvik::win32 {
namespace {

constexpr WORD kReloadNotification = 1;

}  // namespace

std::optional<Command> CommandFromMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case msg::kRemoteHide: return Command{Verb::Hide};
    case msg::kRemoteReload: return Command{Verb::Reload};
    case msg::kRemoteExit: return Command{Verb::Exit};
    case msg::kRemoteSetState: return Command{Verb::Set, static_cast<std::uintptr_t>(wParam)};
    case msg::kRemoteGetState: return Command{Verb::Get};
    case WM_COMMAND:
        if (LOWORD(wParam) == ids::kRemoteReload && HIWORD(wParam) == kReloadNotification &&
            lParam != 0) {
            return Command{Verb::Reload};
        }
        // The tray menu's "open Dialog", as torvikctl sends it too: a menu command.
        if (wParam == static_cast<WPARAM>(ids::kOpenDialog) && lParam == 0) {
            return Command{Verb::Show};
        }
        return std::nullopt;
    case WM_HOTKEY:
        if (wParam > static_cast<WPARAM>(std::numeric_limits<std::int32_t>::max())) {
            return std::nullopt;
        }
        return Command{Verb::Hotkey, 0, static_cast<std::int32_t>(wParam)};
    default:
        return std::nullopt;
    }
}

UINT MessageFor(Verb verb) {
    switch (verb) {
    case Verb::Get: return msg::kRemoteGetState;
    case Verb::Set: return msg::kRemoteSetState;
    case Verb::Reload: return msg::kRemoteReload;
    case Verb::Hide: return msg::kRemoteHide;
    case Verb::Exit: return msg::kRemoteExit;
    case Verb::Show: return WM_COMMAND;
    case Verb::Help:
    case Verb::Hotkey:
    case Verb::Bands: break;   // Bands travels as WM_COPYDATA (torvikctl/bands_client)
    }
    return 0;
}

WPARAM WParamFor(const Command& command) {
    if (command.verb == Verb::Show) {
        return static_cast<WPARAM>(ids::kOpenDialog);   // a menu command: notification code 0
    }
    return static_cast<WPARAM>(command.mask);
}

}  // namespace torvik::win32

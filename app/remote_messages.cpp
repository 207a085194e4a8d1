#include "app/remote_messages.h"

#include "app/control_ids.h"
#include "app/switch_controller.h"

namespace torvik {
namespace {

constexpr std::uintptr_t kReloadNotification = 1;

constexpr std::uintptr_t LowWord(std::uintptr_t value) { return value & 0xFFFFu; }
constexpr std::uintptr_t HighWord(std::uintptr_t value) { return value >> 16 & 0xFFFFu; }

}  // namespace

std::optional<Command> CommandFromMessage(std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    switch (message) {
    case msg::kRemoteHide: return Command{Verb::Hide};
    case msg::kRemoteReload: return Command{Verb::Reload};
    case msg::kRemoteExit: return Command{Verb::Exit};
    case msg::kRemoteSetState: return Command{Verb::Set, wParam};
    case msg::kRemoteGetState: return Command{Verb::Get};
    case msg::kCommand:
        if (LowWord(wParam) == static_cast<std::uintptr_t>(ids::kRemoteReload) &&
            HighWord(wParam) == kReloadNotification && lParam != 0) {
            return Command{Verb::Reload};
        }
        // The tray menu's "open Dialog", as torvikctl sends it too: a menu command.
        if (wParam == static_cast<std::uintptr_t>(ids::kOpenDialog) && lParam == 0) {
            return Command{Verb::Show};
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<std::intptr_t> AnswerSentMessage(SwitchController& controller,
                                               std::uint32_t message, std::uintptr_t wParam,
                                               std::intptr_t lParam) {
    const std::optional<Command> command = CommandFromMessage(message, wParam, lParam);
    if (!command) {
        return std::nullopt;
    }
    return controller.Execute(*command);
}

}  // namespace torvik

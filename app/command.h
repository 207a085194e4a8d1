#pragma once
// What other programs and the system ask of the running program, in the program's own terms:
// one command type for the remote-control requests (torvikctl's verbs), the reload request and
// a pressed hotkey. Each platform turns its messages into these (app/remote_messages.h for the
// protocol's messages) and hands the answer back.

#include <cstdint>
#include <limits>
#include <optional>

namespace torvik {

enum class Verb {
    Help,     // answered by torvikctl itself, never sent
    Get,      // the antenna mask in bits 16 to 19 above the antenna count in bits 0 to 15
    Set,      // mask: the wanted antenna mask (bits above 3 are ignored); answers the new mask
    Show,     // as the tray's "open Dialog": shown, and recorded so; answers 0
    Reload,   // the settings anew and a refresh; answers 0
    Hide,     // hides the window without recording it; answers 1
    Exit,     // ends the program; answers -1 when the window was recorded hidden, else 1
    Hotkey,   // hotkeyId: a registered hotkey was pressed; answered 1 when it was one of ours
    Bands,    // torvikctl's band-rule words: they travel and are answered on a channel of their
              // own (bands/), never through Execute
    Station,  // torvikctl's names, lock and unlock: words on the same kind of channel as Bands
              // (app/station_command.h), never through Execute
};

struct Command {
    Verb verb = Verb::Help;
    std::uintptr_t mask = 0;      // Set
    std::int32_t hotkeyId = 0;    // Hotkey
};

// A press of the hotkey with this id as the system reports it, or nothing for an id beyond the
// table's ids (a registered id is a 32-bit number).
inline std::optional<Command> HotkeyPress(std::uintptr_t id) {
    if (id > static_cast<std::uintptr_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return Command{Verb::Hotkey, 0, static_cast<std::int32_t>(id)};
}

}  // namespace torvik

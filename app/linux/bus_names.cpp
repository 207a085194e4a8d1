#include "app/linux/bus_names.h"

namespace torvik::bus {

std::optional<std::string_view> MethodFor(Verb verb) {
    switch (verb) {
    case Verb::Get: return "GetState";
    case Verb::Set: return "SetState";
    case Verb::Reload: return "Reload";
    case Verb::Hide: return "Hide";
    case Verb::Exit: return "Exit";
    case Verb::Show: return "Show";
    case Verb::Bands: return "Bands";
    case Verb::Station: return "Station";
    case Verb::Help:
    case Verb::Hotkey: break;
    }
    return std::nullopt;
}

}  // namespace torvik::bus

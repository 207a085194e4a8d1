#include "app/win32/remote_messages.h"

#include "app/control_ids.h"

namespace torvik::win32 {

UINT MessageFor(Verb verb) {
    switch (verb) {
    case Verb::Get: return msg::kRemoteGetState;
    case Verb::Set: return msg::kRemoteSetState;
    case Verb::Reload: return msg::kRemoteReload;
    case Verb::Hide: return msg::kRemoteHide;
    case Verb::Exit: return msg::kRemoteExit;
    case Verb::Show: return msg::kCommand;
    case Verb::Help:
    case Verb::Hotkey:
    case Verb::Bands:          // Bands and Station travel as WM_COPYDATA (torvikctl/bands_client)
    case Verb::Station: break;
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

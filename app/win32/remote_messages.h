#pragma once
// How torvikctl sends a command to the main window: the message and its wParam. The numbers
// and their decoding are the protocol's own (app/remote_messages.h).

#include <windows.h>

#include "app/remote_messages.h"

namespace torvik::win32 {

// The message that carries a verb to the program (0 for Help and Hotkey, which are not sent,
// and for Bands, which has a channel of its own),
// and its wParam: the mask for Set, the "open Dialog" command id for Show.
UINT MessageFor(Verb verb);
WPARAM WParamFor(const Command& command);

}  // namespace torvik::win32

#pragma once
// The window messages by which other programs and the system reach the main window, turned
// into the program's commands; the message numbers are those of window_messages.h, which
// other programs rely on.

#include <windows.h>

#include <optional>

#include "app/command.h"

namespace torvik::win32 {

// WM_REMOTE_HIDE, WM_REMOTE_RELOAD, WM_REMOTE_EXIT, WM_REMOTE_SET_STATE (the mask in wParam),
// WM_REMOTE_GET_STATE; WM_COMMAND with ID_REMOTE_RELOAD, notification code 1 and a sender
// window in lParam (a menu command carries no code); WM_COMMAND with ID_OPEN_DIALOG as a menu
// command (Show); WM_HOTKEY with an id that fits the table's ids. Nothing for any other message.
std::optional<Command> CommandFromMessage(UINT message, WPARAM wParam, LPARAM lParam);

// The message that carries a verb to the program (0 for Help and Hotkey, which are not sent,
// and for Bands, which has a channel of its own),
// and its wParam: the mask for Set, the "open Dialog" command id for Show.
UINT MessageFor(Verb verb);
WPARAM WParamFor(const Command& command);

}  // namespace torvik::win32

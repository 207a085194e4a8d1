#pragma once
// The text of a reply to a WM_COPYDATA request, sent back to the asking window (torvikctl's
// message-only window) with the bands reply tag.

#include <windows.h>

#include <string>

namespace torvik::win32 {

// A client that is gone or hangs is not waited for long.
void SendReplyText(HWND client, HWND from, const std::string& text);

}  // namespace torvik::win32

#pragma once
// UTF-8, the program's text, and UTF-16, the system's, for the few places that show or take
// text beyond ASCII (antenna names).

#include <windows.h>

#include <string>
#include <string_view>

namespace torvik::win32 {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// A window's (an edit control's) text as UTF-8; empty without a window.
std::string WindowTextUtf8(HWND window);

}  // namespace torvik::win32

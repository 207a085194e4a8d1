#pragma once
// UTF-8, the program's text, and UTF-16, the system's, for the places that show or take text
// beyond ASCII (antenna names and the lines that carry them).

#include <string>
#include <string_view>

namespace torvik::win32 {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace torvik::win32

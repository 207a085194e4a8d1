#pragma once
// Start-up decisions that need no window system: the hidden-start word of the command line and
// the title mark by which a running copy is found.

#include <string>
#include <string_view>

namespace torvik {

// The word that asks for a start hidden in the tray.
inline constexpr std::string_view kHideWord = "HIDE";
// The mark of the main window's title by which a running copy is found.
inline constexpr std::string_view kInstanceMark = "TORVIK";

// Whether the command-line arguments contain "HIDE" in any letter case, anywhere: hide, /Hide,
// -HIDE and NOHIDE all count. The whole tail is examined, however long it is.
bool HasHideWord(std::string_view commandTail);

// Upper case of the ASCII letters only, whatever the locale.
std::string AsciiUpper(std::string_view text);

}  // namespace torvik

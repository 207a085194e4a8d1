#pragma once
// Start-up decisions that need no window system: the hidden-start word of the command line, the
// title mark by which a running copy is found, and the program folder taken from the
// executable's path.

#include <optional>
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

// Longest program folder accepted: with its terminating NUL it fits the 255 bytes of the
// program-folder text that every file path is built from.
inline constexpr std::size_t kMaxProgramFolder = 254;

// The folder of the executable file: everything before the last backslash (or slash) of its full
// path, without a trailing separator except after a drive ("C:\"). Empty when the path holds no
// folder or the folder is longer than kMaxProgramFolder: such a start is refused, since every file
// would be addressed in the wrong place.
std::optional<std::string> ProgramFolderOf(std::string_view executablePath);

// Upper case of the ASCII letters only, whatever the locale.
std::string AsciiUpper(std::string_view text);

}  // namespace torvik

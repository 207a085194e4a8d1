#pragma once
// Start-up decisions that need no window system: the hidden-start word of the command line, the
// program folder taken from the executable's path, and the name of the per-user single-instance
// lock.

#include <optional>
#include <string>
#include <string_view>

#include "app/window_messages.h"

namespace torvik {

// The word that asks for a start hidden in the tray.
inline constexpr std::string_view kHideWord = "HIDE";
// The mark of the main window's title by which a running copy is found.
inline constexpr std::string_view kInstanceMark = "TORVIK";

// A top-level window is the program's main window only when it is of the main window's own
// class and its title holds the mark: the class keeps other programs' windows with the word in
// their titles (an editor's "TORVIK.txt") from being taken for ours, and the title test stays
// for windows of our class only.
inline bool IsMainWindow(std::string_view className, std::string_view title) {
    return className == msg::kMainWindowClass && title.find(kInstanceMark) != std::string_view::npos;
}

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

// "Local\TORVIK-SingleInstance-<user>": one lock per user in the session. Characters that a
// kernel object name cannot hold after its namespace (backslashes) become '_', and an
// overlong user key is cut so that the name stays within kMaxInstanceLockName.
inline constexpr std::size_t kMaxInstanceLockName = 200;
std::string InstanceLockName(std::string_view userKey);

}  // namespace torvik

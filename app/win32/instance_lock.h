#pragma once
// The name of the per-user lock that keeps a second copy of the program from starting, and
// how a running copy's main window is told from other windows.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "app/start_options.h"
#include "app/win32/window_messages.h"

namespace torvik::win32 {

// "Local\TORVIK-SingleInstance-<user>": one lock per user in the session. Characters that a
// kernel object name cannot hold after its namespace (backslashes) become '_', and an
// overlong user key is cut so that the name stays within kMaxInstanceLockName.
inline constexpr std::size_t kMaxInstanceLockName = 200;
std::string InstanceLockName(std::string_view userKey);

// A top-level window is the program's main window only when it is of the main window's own
// class and its title holds the mark: the class keeps other programs' windows with the word in
// their titles (an editor's "TORVIK.txt") from being taken for ours, and the title test stays
// for windows of our class only.
inline bool IsMainWindow(std::string_view className, std::string_view title) {
    return className == msg::kMainWindowClass && title.find(kInstanceMark) != std::string_view::npos;
}

// Whether window is the program's main window, by its class and title.
bool IsMainWindow(HWND window);
// The running copy's main window among the top-level windows, or nullptr.
HWND FindMainWindow();

}  // namespace torvik::win32

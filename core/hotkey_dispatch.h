#pragma once
// Which antenna a hotkey means, by the program that has the focus.

#include <cstdint>
#include <optional>
#include <string>

namespace torvik {

// The platform's view of the focused program.
class FocusQuery {
public:
    virtual ~FocusQuery() = default;
    // Process owning the window with the keyboard focus (as the program's own thread sees it),
    // else the foreground window; nothing when there is neither.
    virtual std::optional<std::uint32_t> FocusedProcessId() = 0;
    // Executable file name of the process with this id, from a fresh look at the process
    // list on every call; nothing when the list cannot be read or the process is gone.
    virtual std::optional<std::string> ExecutableName(std::uint32_t processId) = 0;
};

// 1 when the process's executable file name contains text as a case-sensitive substring
// (an empty text matches every running process), else 0.
int ProcessMatches(FocusQuery& focus, std::uint32_t processId, const char* text);

}  // namespace torvik

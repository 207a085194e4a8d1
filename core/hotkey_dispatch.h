#pragma once
// Which antenna a hotkey means, by the program that has the focus.

#include <cstdint>
#include <optional>
#include <string>

#include "core/function_config.h"
#include "core/hotkey_table.h"

namespace torvik {

// The platform's view of the focused program.
class FocusQuery {
public:
    virtual ~FocusQuery() = default;
    // Process owning the window with the keyboard focus as the program's own thread sees it,
    // while that window's top-level window is the foreground window; else the foreground
    // window's; nothing when there is neither.
    virtual std::optional<std::uint32_t> FocusedProcessId() = 0;
    // Executable file name of the process with this id, from a fresh look at the process
    // list on every call; nothing when the list cannot be read or the process is gone.
    virtual std::optional<std::string> ExecutableName(std::uint32_t processId) = 0;
};

// 1 when the process's executable file name contains text as a case-sensitive substring
// (an empty text matches every running process), else 0.
// A null text matches nothing.
int ProcessMatches(FocusQuery& focus, std::uint32_t processId, const char* text);

// The antenna slot (0, 1 or 2) that this entry's hotkey acts on for the focused program, or
// nothing. A Global entry acts whatever program is in front, but only when there is a
// focused or foreground window at all; otherwise the bindings are tried in order, each
// against a fresh look at the process list. Program names are read within their 64-byte
// field, so a stored name without a NUL cannot run past its record.
std::optional<int> ChooseAntenna(const HotkeyBinding& entry, const ConfigBlock& configs,
                                 FocusQuery& focus);

}  // namespace torvik

#pragma once
// The executable file name of a process, from the text of its /proc/PID/exe link.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvik {

// The base name of the executable named by an exe link's text: the kernel's " (deleted)" mark
// of a replaced or removed file is dropped. Nothing for a text that names no file: empty, not
// an absolute path, ending in a slash, holding a NUL, or longer than a path or a name can be.
std::optional<std::string> ExecutableNameFromLink(std::string_view linkText);

// Reads /proc/PID/exe and names its executable; nothing when the process is gone, is not ours
// to look at, or the link does not fit a path.
std::optional<std::string> ExecutableNameOfProcess(std::uint32_t processId);

}  // namespace torvik

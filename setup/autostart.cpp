#include "setup/autostart.h"

namespace torvik {

std::optional<std::string> FormatRunCommand(std::string_view programFolder) {
    constexpr std::string_view kProgram = "\\Torvik.exe";
    constexpr std::string_view kArguments = " HIDE";
    // Unquoted, a folder with a space would make the system try "C:\Program.exe" and the like
    // first; so such a path is quoted. Without a space the command stays as it always was.
    const bool quoted = programFolder.find(' ') != std::string_view::npos;
    std::string command;
    if (quoted) command += '"';
    command.append(programFolder).append(kProgram);
    if (quoted) command += '"';
    command.append(kArguments);
    if (command.size() + 1 > kRunCommandBufferSize) return std::nullopt;
    return command;
}

bool IsAutostartRegistered(AutostartStore& store) {
    const std::optional<std::string> data = store.Query(kAutostartValueName);
    return data.has_value() && data->size() + 1 <= kRunValueReadLimit;
}

}  // namespace torvik

#include "setup/autostart.h"

namespace torvik {

std::optional<std::string> FormatRunCommand(std::string_view programFolder) {
    constexpr std::string_view kTail = "\\Torvik.exe HIDE";
    if (programFolder.size() + kTail.size() + 1 > kRunCommandBufferSize) return std::nullopt;
    std::string command;
    command.reserve(programFolder.size() + kTail.size());
    command.append(programFolder).append(kTail);
    return command;
}

bool IsAutostartRegistered(AutostartStore& store) {
    const std::optional<std::string> data = store.Query(kAutostartValueName);
    return data.has_value() && data->size() + 1 <= kRunValueReadLimit;
}

}  // namespace torvik

#include "app/start_options.h"

namespace torvik {

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

bool HasHideWord(std::string_view commandTail) {
    return AsciiUpper(commandTail).find(kHideWord) != std::string::npos;
}

std::optional<std::string> ProgramFolderOf(std::string_view executablePath) {
    const std::size_t separator = executablePath.find_last_of("\\/");
    if (separator == std::string_view::npos || separator == 0) {
        return std::nullopt;
    }
    // A drive's root stays "C:", so that "folder\\name" names the file there.
    std::string folder(executablePath.substr(0, separator));
    if (folder.size() > kMaxProgramFolder || folder.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return folder;
}

std::string InstanceLockName(std::string_view userKey) {
    std::string name = "Local\\TORVIK-SingleInstance-";
    const std::size_t room = kMaxInstanceLockName - name.size();
    std::string_view key = userKey.substr(0, room);
    for (char c : key) {
        name.push_back(c == '\\' || c == '\0' ? '_' : c);
    }
    return name;
}

}  // namespace torvik

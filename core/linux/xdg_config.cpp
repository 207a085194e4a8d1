#include "core/linux/xdg_config.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace torvik {
namespace {

std::optional<std::string> AbsoluteFolder(std::optional<std::string_view> value) {
    if (!value || !value->starts_with('/')) return std::nullopt;
    std::string_view folder = *value;
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    return std::string(folder);
}

std::optional<std::string_view> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string_view(value);
}

std::optional<std::string> HomeFromPasswordDatabase() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}


}  // namespace

std::optional<std::string> ConfigHome(std::optional<std::string_view> xdgConfigHome,
                                      std::optional<std::string_view> home) {
    if (auto folder = AbsoluteFolder(xdgConfigHome)) return folder;
    auto homeFolder = AbsoluteFolder(home);
    if (!homeFolder) return std::nullopt;
    if (homeFolder->back() != '/') homeFolder->push_back('/');
    return *homeFolder + ".config";
}

std::optional<std::string> ConfigHomeOfUser() {
    auto home = Environment("HOME");
    std::optional<std::string> homeFromDatabase;
    if (!home || home->empty()) {
        homeFromDatabase = HomeFromPasswordDatabase();
        home = homeFromDatabase;
    }
    return ConfigHome(Environment("XDG_CONFIG_HOME"), home);
}

std::string SettingsFolder(std::string_view configHome) {
    std::string folder(configHome);
    if (folder.empty() || folder.back() != '/') folder.push_back('/');
    return folder + "torvik";
}

}  // namespace torvik

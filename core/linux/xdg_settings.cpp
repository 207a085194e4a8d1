#include "core/linux/xdg_settings.h"

#include "core/linux/xdg_config.h"

namespace torvik {

// A folder that cannot be made leaves the write to fail as any other failed write does.
void XdgSettings::WriteIniInt(const std::string& section, const char* key, std::int32_t value) {
    MakeFolders(folder_);
    ini_.WriteIniInt(section, key, value);
}

void XdgSettings::WriteIniInts(const std::string& section, std::span<const IniInt> entries) {
    MakeFolders(folder_);
    ini_.WriteIniInts(section, entries);
}

void XdgSettings::WriteConfig(const std::string& section, const ConfigBlock& block) {
    MakeFolders(folder_);
    ini_.WriteConfig(section, block);
}

bool XdgSettings::WriteIniString(const std::string& section, const char* key,
                                 std::string_view value) {
    MakeFolders(folder_);
    return ini_.WriteIniString(section, key, value);
}

}  // namespace torvik

#pragma once
// The settings store of the Linux program: Torvik.ini in the XDG settings folder through the
// core's profile engine, the folder made (for the user alone) at the first write, never by a
// read.
#include <string>

#include "core/settings.h"

namespace torvik {

class XdgSettings final : public SettingsStore {
public:
    explicit XdgSettings(std::string folder) : folder_(folder), ini_(std::move(folder)) {}
    std::int32_t ReadIniInt(const std::string& section, const char* key,
                            std::int32_t defaultValue) override {
        return ini_.ReadIniInt(section, key, defaultValue);
    }
    void WriteIniInt(const std::string& section, const char* key, std::int32_t value) override;
    void WriteIniInts(const std::string& section, std::span<const IniInt> entries) override;
    bool ReadConfig(const std::string& section, ConfigBlock& block) override {
        return ini_.ReadConfig(section, block);
    }
    void WriteConfig(const std::string& section, const ConfigBlock& block) override;
    std::optional<std::string> ReadIniString(const std::string& section,
                                             const char* key) override {
        return ini_.ReadIniString(section, key);
    }
    bool WriteIniString(const std::string& section, const char* key,
                        std::string_view value) override;
    bool HoldsUnicode() override { return ini_.HoldsUnicode(); }
    std::string Path() const { return ini_.Path(); }

private:
    std::string folder_;
    IniSettings ini_;
};

}  // namespace torvik

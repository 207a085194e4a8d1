#pragma once
// The settings of one box: the section "<serial>_KEYSET" of Torvik.ini in the program folder.
// The path and the section name are built anew for every access; nothing is cached.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/function_config.h"

namespace torvik {

inline constexpr const char* kSettingsFileName = "Torvik.ini";
inline constexpr const char* kKeyConfig = "CONFIG";
inline constexpr const char* kKeyAntenna[3] = {"ANTENNA-1", "ANTENNA-2", "ANTENNA-3"};
inline constexpr const char* kKeySwitchMixer = "SWITCHMIXER";

// "<folder><separator><name>": a backslash on Windows, a slash elsewhere. No second separator
// after a folder that ends in one; an empty folder gives the bare name.
std::string ProgramFilePath(std::string_view programFolder, std::string_view fileName);

// "%s_KEYSET" from a serial-number field that may fill its whole buffer without a NUL.
std::string SectionName(const char* serialField, std::size_t fieldSize);

struct IniInt {
    const char* key;
    std::int32_t value;
};

// What the switching logic needs of the settings; tests may substitute their own.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::int32_t ReadIniInt(const std::string& section, const char* key,
                                    std::int32_t defaultValue) = 0;
    virtual void WriteIniInt(const std::string& section, const char* key, std::int32_t value) = 0;
    // Several keys of one section, in order. A store that can, writes them in one go; by
    // default they are written one by one.
    virtual void WriteIniInts(const std::string& section, std::span<const IniInt> entries) {
        for (const IniInt& entry : entries) WriteIniInt(section, entry.key, entry.value);
    }
    // Fills block only when a valid 530-byte CONFIG is stored; returns whether it did.
    virtual bool ReadConfig(const std::string& section, ConfigBlock& block) = 0;
    // Whether a CONFIG is stored at all, readable or not. A store that cannot tell knows only
    // what a read says.
    virtual bool HasConfig(const std::string& section) {
        ConfigBlock scratch{};
        return ReadConfig(section, scratch);
    }
    virtual void WriteConfig(const std::string& section, const ConfigBlock& block) = 0;
    // A text value, or nothing when the key is missing.
    virtual std::optional<std::string> ReadIniString(const std::string& section,
                                                     const char* key) = 0;
    // Stores a text value; false when it was not stored (the file unchanged).
    virtual bool WriteIniString(const std::string& section, const char* key,
                                std::string_view value) = 0;
    // Whether the file holds every character (UTF-16), or plain bytes read in a code page.
    virtual bool HoldsUnicode() = 0;
};

// The real store: Torvik.ini in the program folder, through the profile engine.
class IniSettings final : public SettingsStore {
public:
    explicit IniSettings(std::string programFolder);
    std::int32_t ReadIniInt(const std::string& section, const char* key,
                            std::int32_t defaultValue) override;
    void WriteIniInt(const std::string& section, const char* key, std::int32_t value) override;
    void WriteIniInts(const std::string& section, std::span<const IniInt> entries) override;
    bool ReadConfig(const std::string& section, ConfigBlock& block) override;
    bool HasConfig(const std::string& section) override;
    void WriteConfig(const std::string& section, const ConfigBlock& block) override;
    std::optional<std::string> ReadIniString(const std::string& section, const char* key) override;
    bool WriteIniString(const std::string& section, const char* key,
                        std::string_view value) override;
    bool HoldsUnicode() override;
    std::string Path() const;

private:
    std::string programFolder_;
};

}  // namespace torvik

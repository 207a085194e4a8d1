#pragma once
// The settings of one box: the section "<serial>_KEYSET" of Torvik.ini in the settings folder
// (the program folder on Windows, the XDG folder on Linux), and beside it the box's band plan.
// Every read and write of the file goes through one SettingsStore; the path and the section
// name are built anew for every access, nothing is cached.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/function_config.h"
#include "core/profile_file.h"

namespace torvik {

inline constexpr const char* kSettingsFileName = "Torvik.ini";
inline constexpr const char* kKeyConfig = "CONFIG";
inline constexpr const char* kKeyAntenna[3] = {"ANTENNA-1", "ANTENNA-2", "ANTENNA-3"};
inline constexpr const char* kKeySwitchMixer = "SWITCHMIXER";

// "<folder><separator><name>": the platform's separator (fileio::PathSeparator). No second separator
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
    // Whether a CONFIG is stored at all, readable or not: a stored block that ReadConfig
    // refuses is damaged, and the setup dialog says so.
    virtual bool HasConfig(const std::string& section) = 0;
    virtual void WriteConfig(const std::string& section, const ConfigBlock& block) = 0;
    // A key's text, trimmed and unquoted; nothing when the file, section or key is missing.
    virtual std::optional<std::string> ReadString(const std::string& section,
                                                  std::string_view key) = 0;
    // Several texts of one section in one replacement of the file: all of them or none (a
    // file that cannot be read or replaced, or a text that is not one line); false for none.
    virtual bool WriteStrings(const std::string& section,
                              std::span<const profile::KeyValue> entries) = 0;
    // Whether the file holds every character (UTF-16), or plain bytes read in a code page.
    virtual bool HoldsUnicode() = 0;
};

// The real store: Torvik.ini in a folder, through the profile engine, which keeps the file's
// encoding and replaces it whole. Every write first makes the folder (for the user alone) when
// it is missing; reads never do.
class IniSettings final : public SettingsStore {
public:
    explicit IniSettings(std::string folder);
    std::int32_t ReadIniInt(const std::string& section, const char* key,
                            std::int32_t defaultValue) override;
    void WriteIniInt(const std::string& section, const char* key, std::int32_t value) override;
    void WriteIniInts(const std::string& section, std::span<const IniInt> entries) override;
    bool ReadConfig(const std::string& section, ConfigBlock& block) override;
    bool HasConfig(const std::string& section) override;
    void WriteConfig(const std::string& section, const ConfigBlock& block) override;
    std::optional<std::string> ReadString(const std::string& section,
                                          std::string_view key) override;
    bool WriteStrings(const std::string& section,
                      std::span<const profile::KeyValue> entries) override;
    bool HoldsUnicode() override;
    std::string Path() const;

private:
    // A folder that cannot be made leaves the write to fail as any other failed write does.
    void MakeFolder() const;

    std::string folder_;
};

}  // namespace torvik

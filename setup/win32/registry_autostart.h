#pragma once
// The autostart entry in the registry: three small operations on one string value of a key,
// and the AutostartStore of the setup dialog over the current user's Run key.

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "setup/autostart.h"

namespace torvik::win32 {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The run-command buffer of the setup dialog.
using RunCommandBuffer = std::span<char, kRunCommandBufferSize>;

// Each operation answers the error code of the first registry call that failed, 0 on success.

// Reads the value into buffer (at most 255 bytes of data, always zero-terminated, also when the
// stored data has no terminator). When the key cannot be opened or the value cannot be read,
// buffer holds defaultText (cut to fit) if one is given, else an empty text.
LONG ReadRegistryString(HKEY root, const char* keyPath, const char* valueName,
                        const char* defaultText, RunCommandBuffer buffer);

// Creates the key when it is missing and sets the value as REG_SZ, terminating zero included.
LONG WriteRegistryString(HKEY root, const char* keyPath, const char* valueName,
                         const char* text);

// Removes the value; the key stays.
LONG DeleteRegistryValue(HKEY root, const char* keyPath, const char* valueName);

// The autostart entry as a value of a registry key: by default the current user's Run key.
class RegistryAutostart final : public AutostartStore {
public:
    explicit RegistryAutostart(HKEY root = HKEY_CURRENT_USER, std::string keyPath = kRunKeyPath);

    std::optional<std::string> Query(std::string_view name) override;
    bool Write(std::string_view name, std::string_view data) override;
    bool Delete(std::string_view name) override;

private:
    HKEY root_;
    std::string keyPath_;
};

}  // namespace torvik::win32

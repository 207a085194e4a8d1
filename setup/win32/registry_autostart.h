#pragma once
// The autostart entry in the registry: three small operations on one string value of a key,
// and the AutostartStore of the setup dialog over the current user's Run key.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "setup/autostart.h"

namespace torvik::win32 {

// One name for the query, the write and the delete alike. Earlier releases created the entry
// under this name, so an existing registration is found and can be removed again.
inline constexpr std::string_view kAutostartValueName = "Antenna Switch";

// The run-command buffer: the command with its terminating zero must fit.
inline constexpr std::size_t kRunCommandBufferSize = 256;

// A stored value is read into 255 bytes; data (with its zero) that does not fit reads as absent.
inline constexpr std::size_t kRunValueReadLimit = 255;

// "<folder>\Torvik.exe HIDE" (always a backslash; the program path in quotes when the folder
// holds a space), or nothing when the command and its terminating zero would not fit the
// 256-character run-command buffer.
std::optional<std::string> FormatRunCommand(std::string_view programFolder);

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

// The autostart entry as the value kAutostartValueName of a registry key, by default the
// current user's Run key, holding the run command of the program in programFolder.
class RegistryAutostart final : public AutostartStore {
public:
    explicit RegistryAutostart(std::string programFolder, HKEY root = HKEY_CURRENT_USER,
                               std::string keyPath = kRunKeyPath);

    // The value exists and its data fits the read limit; any data counts, also another
    // folder's command.
    bool Enabled() override;
    // A folder too long for the run command registers nothing rather than a cut command.
    bool Enable() override;
    bool Disable() override;

private:
    std::string programFolder_;
    HKEY root_;
    std::string keyPath_;
};

}  // namespace torvik::win32

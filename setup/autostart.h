#pragma once
// The per-user autostart entry: one named value in the user's Run key whose data is the
// command that starts the program hidden in the tray. The setup dialog reads it when it opens
// and creates or deletes it on OK.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace torvik {

// One name for the query, the write and the delete alike. Earlier releases created the entry
// under this name, so an existing registration is found and can be removed again.
inline constexpr std::string_view kAutostartValueName = "Antenna Switch";

// The run-command buffer: the command with its terminating zero must fit.
inline constexpr std::size_t kRunCommandBufferSize = 256;

// A stored value is read into 255 bytes; data (with its zero) that does not fit reads as absent.
inline constexpr std::size_t kRunValueReadLimit = 255;

// The per-user autostart facility: the Run key of the registry on Windows, a fake in tests.
class AutostartStore {
public:
    virtual ~AutostartStore() = default;
    // The data of the named entry, or nothing when it is missing or cannot be read.
    virtual std::optional<std::string> Query(std::string_view name) = 0;
    // Creates or replaces the entry (creating the key when missing); false on failure.
    virtual bool Write(std::string_view name, std::string_view data) = 0;
    // Removes the entry; false when it could not be removed (or was not there).
    virtual bool Delete(std::string_view name) = 0;
};

// "<folder>\Torvik.exe HIDE" (a Windows command line, so always a backslash; the program path
// in quotes when the folder holds a space), or nothing when the command and its terminating
// zero would not fit the 256-character run-command buffer.
std::optional<std::string> FormatRunCommand(std::string_view programFolder);

// Whether the entry counts as registered: it exists and its data fits the read limit.
// Any data counts, also another folder's command.
bool IsAutostartRegistered(AutostartStore& store);

}  // namespace torvik

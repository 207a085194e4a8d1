#pragma once
// The per-user autostart entry on an XDG desktop: <config home>/autostart/torvik.desktop, whose
// Exec starts the program hidden in the tray. It stands for the Run value of the Windows side:
// any entry of that name that the session would start counts as registered.

#include <optional>
#include <string>
#include <string_view>

namespace torvik {

inline constexpr std::string_view kAutostartFileName = "torvik.desktop";

// An entry larger than this is no autostart entry of any program, and is not read further.
inline constexpr std::size_t kEntryReadLimit = 64 * 1024;

// The entry's text for the program at this absolute path, started with HIDE; nothing when the
// path cannot be written as an Exec value.
std::optional<std::string> AutostartEntryText(std::string_view programPath);

struct AutostartEntryState {
    bool enabled = false;  // the session starts it: a well-formed entry, not Hidden=true and not
                           // X-GNOME-Autostart-enabled=false
    bool ours = false;     // its Exec runs this program with HIDE
};

// What an existing entry's text says, judged for the program at programPath.
AutostartEntryState ReadAutostartEntry(std::string_view text, std::string_view programPath);

// The entry in one config home for one program: read at the setup dialog's opening, written or
// removed at its OK.
class XdgAutostart {
public:
    XdgAutostart(std::string configHome, std::string programPath);

    // An entry exists and the session starts it.
    bool Enabled() const;
    // Writes our entry (the autostart folder is made when missing), replacing any other entry of
    // that name in one step; false when it could not be written.
    bool Enable() const;
    // Removes the entry; true when none is left.
    bool Disable() const;

    const std::string& EntryPath() const { return entryPath_; }

private:
    std::string folder_;
    std::string entryPath_;
    std::string programPath_;
};

}  // namespace torvik

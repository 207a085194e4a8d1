#include "setup/linux/xdg_autostart.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "app/start_options.h"
#include "core/file_io.h"
#include "core/linux/xdg_config.h"
#include "setup/autostart.h"
#include "setup/linux/desktop_entry.h"

namespace torvik {
namespace {

// The entry's name as desktops show it: the name the Windows Run value has always had.
constexpr std::string_view kEntryName = "Antenna Switch";

bool IsFalse(const auto& keys, std::string_view key) {
    const auto found = keys.find(key);
    return found != keys.end() && found->second == "false";
}

bool IsTrue(const auto& keys, std::string_view key) {
    const auto found = keys.find(key);
    return found != keys.end() && found->second == "true";
}

}  // namespace

std::optional<std::string> AutostartEntryText(std::string_view programPath) {
    const auto exec = desktop::ExecValue({std::string(programPath), std::string(kHideWord)});
    if (!exec) return std::nullopt;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + std::string(kEntryName) + "\n"
           "Exec=" + *exec + "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

AutostartEntryState ReadAutostartEntry(std::string_view text, std::string_view programPath) {
    AutostartEntryState state;
    if (text.size() > kEntryReadLimit) return state;
    const auto keys = desktop::DesktopEntryGroup(text);
    if (!keys) return state;
    const auto exec = keys->find("Exec");
    const auto arguments = exec == keys->end() ? std::nullopt : desktop::ExecArguments(exec->second);
    if (!arguments || arguments->empty()) return state;
    state.enabled = !IsTrue(*keys, "Hidden") && !IsFalse(*keys, "X-GNOME-Autostart-enabled");
    state.ours = arguments->front() == programPath &&
                 std::any_of(arguments->begin() + 1, arguments->end(),
                             [](const std::string& argument) { return HasHideWord(argument); });
    return state;
}

XdgAutostart::XdgAutostart(std::string configHome, std::string programPath)
    : folder_(std::move(configHome) + "/autostart"),
      entryPath_(folder_ + "/" + std::string(kAutostartFileName)),
      programPath_(std::move(programPath)) {}

bool XdgAutostart::Enabled() {
    // Read no more than an entry can hold: the name may lead to anything, /dev/zero included.
    std::ifstream in(entryPath_, std::ios::binary);
    if (!in) return false;
    std::string text(kEntryReadLimit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return ReadAutostartEntry(text, programPath_).enabled;
}

bool XdgAutostart::Enable() {
    const auto text = AutostartEntryText(programPath_);
    return text && fileio::MakeFolders(folder_) && fileio::ReplaceWholeFile(entryPath_, *text);
}

bool XdgAutostart::Disable() {
    return ::unlink(entryPath_.c_str()) == 0 || errno == ENOENT;
}

}  // namespace torvik

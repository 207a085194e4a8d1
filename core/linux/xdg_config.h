#pragma once
// Where a user's configuration lives by the XDG base-directory rule, and where Torvik keeps its
// settings file there.

#include <optional>
#include <string>
#include <string_view>

namespace torvik {

// $XDG_CONFIG_HOME when it is set to an absolute path, else $HOME/.config; a relative or empty
// value is ignored, as the rule demands. Nothing when neither gives an absolute path.
// Trailing slashes are dropped.
std::optional<std::string> ConfigHome(std::optional<std::string_view> xdgConfigHome,
                                      std::optional<std::string_view> home);

// ConfigHome from this process's environment; the password database stands in for an unset HOME.
std::optional<std::string> ConfigHomeOfUser();

// The folder that holds Torvik.ini: "<config home>/torvik".
std::string SettingsFolder(std::string_view configHome);

}  // namespace torvik

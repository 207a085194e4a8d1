#pragma once
// The Linux program's remote control on the user's session bus: its name (owning it is the
// single-instance lock), object path and interface, and the method each command is.
#include <optional>
#include <string_view>

#include "app/command.h"

namespace torvik::bus {

inline constexpr const char* kServiceName = "de.velmora.Torvik";
inline constexpr const char* kObjectPath = "/de/velmora/Torvik";
inline constexpr const char* kInterface = "de.velmora.Torvik";

// The method a command is called as: GetState, SetState (with the mask), Reload, Hide, Exit,
// Show, and Bands and Station (the words in, the reply's code and text out). Nothing for Help and Hotkey,
// which never travel over the bus.
std::optional<std::string_view> MethodFor(Verb verb);

}  // namespace torvik::bus

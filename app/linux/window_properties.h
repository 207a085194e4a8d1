#pragma once
// Reading the window-manager properties that name the focused window and its process, from the
// X server's property replies taken as plain data. A reply that is not what the property must
// hold gives nothing, never a read past its bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace torvik::x11 {

// Predefined atoms of the X protocol.
inline constexpr std::uint32_t kAtomCardinal = 6;
inline constexpr std::uint32_t kAtomWindow = 33;

// X's "no window" and the input focus that follows the pointer.
inline constexpr std::uint32_t kNoWindow = 0;
inline constexpr std::uint32_t kPointerRoot = 1;

// One GetProperty reply: format (8, 16 or 32), type atom, the value's length in units of the
// format as the server states it, and the value bytes as received.
struct PropertyReply {
    std::uint8_t format = 0;
    std::uint32_t type = 0;
    std::uint32_t valueLength = 0;
    std::span<const std::uint8_t> value;
};

// _NET_WM_PID: one CARDINAL of format 32, not 0.
std::optional<std::uint32_t> ProcessIdFromReply(const PropertyReply& reply);

// _NET_ACTIVE_WINDOW and _NET_SUPPORTING_WM_CHECK: one WINDOW of format 32, not None.
std::optional<std::uint32_t> WindowFromReply(const PropertyReply& reply);

// The window whose program counts as focused. The window manager's _NET_ACTIVE_WINDOW is taken
// only while it is alive: the root's _NET_SUPPORTING_WM_CHECK names a child window whose own
// property names that child again. Otherwise the input focus, unless it is None or PointerRoot.
std::optional<std::uint32_t> ChooseFocusedWindow(std::optional<std::uint32_t> checkOnRoot,
                                                 std::optional<std::uint32_t> checkOnChild,
                                                 std::optional<std::uint32_t> activeWindow,
                                                 std::uint32_t inputFocus);

// WM_CLASS: "instance\0class\0" of format 8; the class, when both parts are there.
std::optional<std::string_view> ClassFromReply(const PropertyReply& reply);

// A window title (WM_NAME or _NET_WM_NAME) of format 8, of whatever text type.
std::optional<std::string_view> TitleFromReply(const PropertyReply& reply);

// This program's windows carry the class "Torvik" whatever the executable's file name.
inline constexpr std::string_view kProgramClass = "Torvik";

// The running copy's main window: of this program's class and with the instance mark in its
// title, so that another program's window with the word in its title is never taken for it.
bool IsMainWindow(std::optional<std::string_view> windowClass,
                  std::optional<std::string_view> title);

}  // namespace torvik::x11

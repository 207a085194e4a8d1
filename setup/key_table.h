#pragma once
// The keys a hotkey can use: the items of the key drop-down (menu resource 151, one popup
// "Key"), by position, with the command id of each item and the key it stands for.
// The menu resource in res/ is written from this table; keep the two in step.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/keys.h"

namespace torvik {

inline constexpr int kKeyMenuResourceId = 151;

struct KeyMenuItem {
    int itemId;             // command id the drop-down reports
    std::string_view text;  // item text, also the key button's caption
    Key key;                // stored in the record as StoredCodeOf(key)
};

// Index = position in the popup.
inline constexpr std::array<KeyMenuItem, 22> kKeyMenuItems = {{
    {2073, "F1", Key::Function(1)},
    {2074, "F2", Key::Function(2)},
    {2075, "F3", Key::Function(3)},
    {2076, "F4", Key::Function(4)},
    {2077, "F5", Key::Function(5)},
    {2078, "F6", Key::Function(6)},
    {2079, "F7", Key::Function(7)},
    {2080, "F8", Key::Function(8)},
    {2081, "F9", Key::Function(9)},
    {2082, "F10", Key::Function(10)},
    {2083, "F11", Key::Function(11)},
    {2084, "F12", Key::Function(12)},
    {2090, "NUM PAD 0", Key::NumPad(0)},
    {2091, "NUM PAD 1", Key::NumPad(1)},
    {2092, "NUM PAD 2", Key::NumPad(2)},
    {2093, "NUM PAD 3", Key::NumPad(3)},
    {2094, "NUM PAD 4", Key::NumPad(4)},
    {2095, "NUM PAD 5", Key::NumPad(5)},
    {2096, "NUM PAD 6", Key::NumPad(6)},
    {2097, "NUM PAD 7", Key::NumPad(7)},
    {2098, "NUM PAD 8", Key::NumPad(8)},
    {2099, "NUM PAD 9", Key::NumPad(9)},
}};

// The key byte a chosen item stores; an id not in the table stores F1's.
std::uint8_t CodeForItemId(int itemId);

// The position shown for a stored key byte; a byte not in the table shows position 0 ("F1").
int PositionForCode(std::uint8_t code);

// The item text at a position; empty for a position outside the table.
std::string_view KeyTextAt(int position);

}  // namespace torvik

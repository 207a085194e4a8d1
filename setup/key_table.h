#pragma once
// The keys a hotkey can use: the items of the key drop-down (menu resource 151, one popup
// "Key"), by position, with the command id of each item and the virtual-key code it stands for.
// The menu resource in res/ is written from this table; keep the two in step.

#include <array>
#include <cstdint>
#include <string_view>

namespace torvik {

inline constexpr int kKeyMenuResourceId = 151;

struct KeyMenuItem {
    int itemId;             // command id the drop-down reports
    std::string_view text;  // item text, also the key button's caption
    std::uint8_t code;      // virtual-key code stored in the record
};

// Index = position in the popup.
inline constexpr std::array<KeyMenuItem, 22> kKeyMenuItems = {{
    {2073, "F1", 0x70},
    {2074, "F2", 0x71},
    {2075, "F3", 0x72},
    {2076, "F4", 0x73},
    {2077, "F5", 0x74},
    {2078, "F6", 0x75},
    {2079, "F7", 0x76},
    {2080, "F8", 0x77},
    {2081, "F9", 0x78},
    {2082, "F10", 0x79},
    {2083, "F11", 0x7A},
    {2084, "F12", 0x7B},
    {2090, "NUM PAD 0", 0x60},
    {2091, "NUM PAD 1", 0x61},
    {2092, "NUM PAD 2", 0x62},
    {2093, "NUM PAD 3", 0x63},
    {2094, "NUM PAD 4", 0x64},
    {2095, "NUM PAD 5", 0x65},
    {2096, "NUM PAD 6", 0x66},
    {2097, "NUM PAD 7", 0x67},
    {2098, "NUM PAD 8", 0x68},
    {2099, "NUM PAD 9", 0x69},
}};

// The code a chosen item stores; an id not in the table stores F1 (0x70).
std::uint8_t CodeForItemId(int itemId);

// The position shown for a stored code; a code not in the table shows position 0 ("F1").
int PositionForCode(std::uint8_t code);

// The item text at a position; empty for a position outside the table.
std::string_view KeyTextAt(int position);

}  // namespace torvik

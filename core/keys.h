#pragma once
// Keys and modifiers of a hotkey in the program's own terms. A record stores its key as one
// byte (the settings file's format, which holds Windows virtual-key codes); it is read into a
// Key here, and each platform maps a Key and its Modifiers to what its hotkey service takes.

#include <cstdint>

namespace torvik {

enum class KeyGroup : std::uint8_t {
    kFunction,   // F1 to F12
    kNumPad,     // number-pad 0 to 9
    kUnnamed,    // a stored byte that names none of these: kept as found
};

struct Key {
    KeyGroup group = KeyGroup::kUnnamed;
    // F1 to F12: 1 to 12; number pad: 0 to 9; unnamed: the stored byte itself.
    std::uint8_t number = 0;

    static constexpr Key Function(int n) { return {KeyGroup::kFunction, static_cast<std::uint8_t>(n)}; }
    static constexpr Key NumPad(int n) { return {KeyGroup::kNumPad, static_cast<std::uint8_t>(n)}; }
    friend constexpr bool operator==(const Key&, const Key&) = default;
};

struct Modifiers {
    bool alt = false;
    bool ctrl = false;
    bool shift = false;
    bool win = false;   // the Windows logo key, the "super" key elsewhere
    friend constexpr bool operator==(const Modifiers&, const Modifiers&) = default;
};

// The settings file's key byte and back: F1 to F12 are 0x70 to 0x7B, the number pad 0x60 to
// 0x69 (the Windows virtual-key codes); any other byte is an unnamed key that round-trips.
Key KeyFromStoredCode(std::uint8_t code);
std::uint8_t StoredCodeOf(Key key);

}  // namespace torvik

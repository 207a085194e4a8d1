#pragma once
// The stored hotkey keys and modifier bits in X terms: keysyms to look keycodes up by, XCB
// modifier masks to grab with, and the lock modifiers a grab must be repeated for.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace torvik::x11 {

// XCB's modifier masks (the X protocol's SETofKEYMASK), in modifier-map order.
inline constexpr std::uint16_t kShiftMask = 1u << 0;
inline constexpr std::uint16_t kLockMask = 1u << 1;  // CapsLock
inline constexpr std::uint16_t kControlMask = 1u << 2;
inline constexpr std::uint16_t kMod1Mask = 1u << 3;  // ALT
inline constexpr std::uint16_t kMod4Mask = 1u << 6;  // WIN (Super)

inline constexpr std::uint32_t kNumLockKeysym = 0xFF7F;

// The X keysym of a stored key code (F1 to F12, NUM PAD 0 to 9), or nothing for any other code.
std::optional<std::uint32_t> KeysymForKeyCode(std::uint32_t keyCode);

// The XCB mask for stored modifier bits (1 ALT, 2 CTRL, 4 SHIFT, 8 WIN); other bits are ignored.
std::uint16_t MaskForModifiers(std::uint32_t modifiers);

// Keysym of a keycode in one column of the keyboard mapping (0 when there is none).
using KeysymLookup = std::function<std::uint32_t(std::uint8_t keycode, int column)>;

// The mask of the modifier (Mod1 to Mod5) that Num_Lock is mapped to in a modifier map given as
// the server sends it: keycodesPerModifier keycodes for each of the eight modifiers in order,
// 0 for an unused slot. 0 when NumLock is not mapped; a short map is read only as far as it
// holds whole rows.
std::uint16_t FindNumLockMask(std::span<const std::uint8_t> modifierMap, int keycodesPerModifier,
                              const KeysymLookup& keysymOf);

// The masks one combination is grabbed with so that it fires whatever the state of NumLock and
// CapsLock: the combination alone first, then with the locks, no mask twice.
std::vector<std::uint16_t> GrabVariants(std::uint16_t combination, std::uint16_t numLockMask);

// The combination a key press's state stands for, without the lock modifiers.
std::uint16_t CombinationOfState(std::uint16_t state, std::uint16_t numLockMask);

}  // namespace torvik::x11

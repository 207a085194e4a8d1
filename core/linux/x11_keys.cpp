#include "core/linux/x11_keys.h"

#include <algorithm>
#include <array>

namespace torvik::x11 {
namespace {

struct KeyPair {
    std::uint32_t keyCode;  // virtual-key code as stored in the settings file
    std::uint32_t keysym;
};

// F1..F12 are VK 0x70..0x7B and XK_F1..XK_F12; NUM PAD 0..9 are VK 0x60..0x69 and
// XK_KP_0..XK_KP_9. The keypad keysyms name the keycodes whatever NumLock's state; the grab
// variants cover that state.
constexpr std::array<KeyPair, 22> kKeys = {{
    {0x70, 0xFFBE}, {0x71, 0xFFBF}, {0x72, 0xFFC0}, {0x73, 0xFFC1}, {0x74, 0xFFC2},
    {0x75, 0xFFC3}, {0x76, 0xFFC4}, {0x77, 0xFFC5}, {0x78, 0xFFC6}, {0x79, 0xFFC7},
    {0x7A, 0xFFC8}, {0x7B, 0xFFC9},
    {0x60, 0xFFB0}, {0x61, 0xFFB1}, {0x62, 0xFFB2}, {0x63, 0xFFB3}, {0x64, 0xFFB4},
    {0x65, 0xFFB5}, {0x66, 0xFFB6}, {0x67, 0xFFB7}, {0x68, 0xFFB8}, {0x69, 0xFFB9},
}};

struct ModifierPair {
    std::uint32_t storedBit;
    std::uint16_t mask;
};

constexpr std::array<ModifierPair, 4> kModifiers = {{
    {1, kMod1Mask},     // ALT
    {2, kControlMask},  // CTRL
    {4, kShiftMask},    // SHIFT
    {8, kMod4Mask},     // WIN
}};

constexpr int kModifierCount = 8;
constexpr int kFirstModN = 3;     // Shift, Lock and Control come first and are never NumLock
constexpr int kColumnsTried = 4;  // plain, shifted, and the second group's two

}  // namespace

std::optional<std::uint32_t> KeysymForKeyCode(std::uint32_t keyCode) {
    const auto found = std::find_if(kKeys.begin(), kKeys.end(),
                                    [keyCode](const KeyPair& pair) { return pair.keyCode == keyCode; });
    if (found == kKeys.end()) return std::nullopt;
    return found->keysym;
}

std::uint16_t MaskForModifiers(std::uint32_t modifiers) {
    std::uint16_t mask = 0;
    for (const ModifierPair& pair : kModifiers) {
        if ((modifiers & pair.storedBit) != 0) mask = static_cast<std::uint16_t>(mask | pair.mask);
    }
    return mask;
}

std::uint16_t FindNumLockMask(std::span<const std::uint8_t> modifierMap, int keycodesPerModifier,
                              const KeysymLookup& keysymOf) {
    if (keycodesPerModifier <= 0 || !keysymOf) return 0;
    const auto perRow = static_cast<std::size_t>(keycodesPerModifier);
    const int rows = static_cast<int>(std::min<std::size_t>(modifierMap.size() / perRow, kModifierCount));
    for (int row = kFirstModN; row < rows; ++row) {
        const auto keycodes = modifierMap.subspan(static_cast<std::size_t>(row) * perRow, perRow);
        for (const std::uint8_t keycode : keycodes) {
            if (keycode == 0) continue;
            for (int column = 0; column < kColumnsTried; ++column) {
                if (keysymOf(keycode, column) == kNumLockKeysym) {
                    return static_cast<std::uint16_t>(1u << row);
                }
            }
        }
    }
    return 0;
}

std::vector<std::uint16_t> GrabVariants(std::uint16_t combination, std::uint16_t numLockMask) {
    const std::uint16_t locks[] = {0, kLockMask, numLockMask,
                                   static_cast<std::uint16_t>(kLockMask | numLockMask)};
    std::vector<std::uint16_t> variants;
    for (const std::uint16_t lock : locks) {
        const auto mask = static_cast<std::uint16_t>(combination | lock);
        if (std::find(variants.begin(), variants.end(), mask) == variants.end()) variants.push_back(mask);
    }
    return variants;
}

std::uint16_t CombinationOfState(std::uint16_t state, std::uint16_t numLockMask) {
    const std::uint16_t meaningful = kShiftMask | kControlMask | kMod1Mask | kMod4Mask;
    // A NumLock that shares Mod1 or Mod4 is taken for the lock: such a map cannot tell the two
    // apart, and a lock left in would make every press while NumLock is on miss its grab.
    return static_cast<std::uint16_t>(state & meaningful & ~numLockMask);
}

}  // namespace torvik::x11

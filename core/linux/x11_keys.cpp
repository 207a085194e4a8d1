#include "core/linux/x11_keys.h"

#include <algorithm>
#include <array>

namespace torvik::x11 {
namespace {

// F1..F12 are XK_F1..XK_F12 and NUM PAD 0..9 XK_KP_0..XK_KP_9, both runs in order. The keypad
// keysyms name the keycodes whatever NumLock's state; the grab variants cover that state.
constexpr std::uint32_t kKeysymF1 = 0xFFBE;
constexpr std::uint32_t kKeysymKp0 = 0xFFB0;
constexpr int kFunctionKeys = 12;
constexpr int kNumPadKeys = 10;

constexpr int kModifierCount = 8;
constexpr int kFirstModN = 3;     // Shift, Lock and Control come first and are never NumLock
constexpr int kColumnsTried = 4;  // plain, shifted, and the second group's two

}  // namespace

std::optional<std::uint32_t> KeysymForKey(Key key) {
    switch (key.group) {
    case KeyGroup::kFunction:
        if (key.number >= 1 && key.number <= kFunctionKeys) return kKeysymF1 + key.number - 1u;
        break;
    case KeyGroup::kNumPad:
        if (key.number < kNumPadKeys) return kKeysymKp0 + key.number;
        break;
    case KeyGroup::kUnnamed:
        break;
    }
    return std::nullopt;
}

std::uint16_t MaskFor(Modifiers modifiers) {
    std::uint16_t mask = 0;
    if (modifiers.alt) mask = static_cast<std::uint16_t>(mask | kMod1Mask);
    if (modifiers.ctrl) mask = static_cast<std::uint16_t>(mask | kControlMask);
    if (modifiers.shift) mask = static_cast<std::uint16_t>(mask | kShiftMask);
    if (modifiers.win) mask = static_cast<std::uint16_t>(mask | kMod4Mask);
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

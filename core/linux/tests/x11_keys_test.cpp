#include "core/linux/x11_keys.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <xcb/xproto.h>

#include <array>
#include <string>

#include "setup/key_table.h"

namespace torvik::x11 {
namespace {

// The keysym each item of the setup dialog's key list names, worked out from its caption.
std::uint32_t KeysymNamedBy(std::string_view caption) {
    const auto number = [caption](std::size_t from) {
        return static_cast<std::uint32_t>(std::stoul(std::string(caption.substr(from))));
    };
    if (caption.starts_with("NUM PAD ")) return XK_KP_0 + number(8);
    return XK_F1 + number(1) - 1;
}

TEST(X11Keys, EveryKeyOfTheKeyListHasTheKeysymItsCaptionNames) {
    for (const KeyMenuItem& item : kKeyMenuItems) {
        EXPECT_EQ(KeysymForKeyCode(item.code), KeysymNamedBy(item.text)) << item.text;
    }
    for (const std::uint32_t other : {0x00u, 0x5Fu, 0x6Au, 0x7Cu, 0x170u, 0xFFBEu}) {
        EXPECT_FALSE(KeysymForKeyCode(other).has_value()) << other;
    }
}

TEST(X11Keys, StoredModifierBitsBecomeXcbMasks) {
    struct Case {
        std::uint32_t stored;
        std::uint16_t mask;
    };
    const Case cases[] = {
        {0, 0},
        {1, XCB_MOD_MASK_1},
        {2, XCB_MOD_MASK_CONTROL},
        {4, XCB_MOD_MASK_SHIFT},
        {8, XCB_MOD_MASK_4},
        {1 | 2 | 4 | 8, XCB_MOD_MASK_1 | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_4},
        {0x4000 | 0x10 | 2, XCB_MOD_MASK_CONTROL},  // bits that are no modifier are dropped
    };
    for (const Case& c : cases) EXPECT_EQ(MaskForModifiers(c.stored), c.mask) << c.stored;
}

// A keyboard mapping with Num_Lock on keycode 77 (second column on keycode 200) and Caps_Lock
// on keycode 66.
std::uint32_t Keysym(std::uint8_t keycode, int column) {
    if (keycode == 77 && column == 0) return XK_Num_Lock;
    if (keycode == 200 && column == 1) return XK_Num_Lock;
    if (keycode == 66 && column == 0) return XK_Caps_Lock;
    return keycode == 0 ? XK_VoidSymbol : XK_a;
}

TEST(X11Keys, NumLockIsFoundOnWhicheverModNItIsMappedTo) {
    // Two keycodes per modifier: Shift, Lock, Control, Mod1..Mod5.
    std::array<std::uint8_t, 16> map = {50, 62, 66, 0, 37, 105, 64, 108, 77, 0, 0, 0, 133, 134, 92, 0};
    EXPECT_EQ(FindNumLockMask(map, 2, Keysym), XCB_MOD_MASK_2);

    map[8] = 0;
    map[15] = 200;  // on Mod5, reachable only in the shifted column
    EXPECT_EQ(FindNumLockMask(map, 2, Keysym), XCB_MOD_MASK_5);

    map[15] = 0;
    EXPECT_EQ(FindNumLockMask(map, 2, Keysym), 0);
    map[4] = 77;  // on Control: that is Control, never NumLock
    EXPECT_EQ(FindNumLockMask(map, 2, Keysym), 0);

    // A map cut short is read only as far as it holds whole rows; a ninth keycode with one per
    // modifier belongs to none.
    map[4] = 0;
    map[8] = 77;
    EXPECT_EQ(FindNumLockMask(std::span(map).first(9), 2, Keysym), 0);
    EXPECT_EQ(FindNumLockMask(std::span(map).first(9), 1, Keysym), 0);
    EXPECT_EQ(FindNumLockMask(map, 0, Keysym), 0);
    EXPECT_EQ(FindNumLockMask(map, 2, KeysymLookup{}), 0);
}

TEST(X11Keys, EveryGrabVariantIsOneLockStateOfTheSameCombination) {
    const std::uint16_t ctrl = XCB_MOD_MASK_CONTROL;
    EXPECT_EQ(GrabVariants(ctrl, XCB_MOD_MASK_2),
              (std::vector<std::uint16_t>{ctrl, ctrl | XCB_MOD_MASK_LOCK, ctrl | XCB_MOD_MASK_2,
                                          ctrl | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2}));
    for (const std::uint16_t variant : GrabVariants(ctrl, XCB_MOD_MASK_2)) {
        EXPECT_EQ(CombinationOfState(variant, XCB_MOD_MASK_2), ctrl) << variant;
    }
    // Without NumLock in the map, and with NumLock sharing a modifier of the combination, no mask
    // is grabbed twice (a second grab of the same mask would fail with BadAccess).
    EXPECT_EQ(GrabVariants(0, 0), (std::vector<std::uint16_t>{0, XCB_MOD_MASK_LOCK}));
    EXPECT_EQ(GrabVariants(XCB_MOD_MASK_4, XCB_MOD_MASK_4),
              (std::vector<std::uint16_t>{XCB_MOD_MASK_4, XCB_MOD_MASK_4 | XCB_MOD_MASK_LOCK}));
    // Buttons and other modifiers in a press's state do not change its combination.
    EXPECT_EQ(CombinationOfState(XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_3 | XCB_KEY_BUT_MASK_BUTTON_1, 0),
              XCB_MOD_MASK_SHIFT);
}

}  // namespace
}  // namespace torvik::x11

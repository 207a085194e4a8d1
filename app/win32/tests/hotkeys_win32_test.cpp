#include "app/win32/hotkeys_win32.h"

#include <gtest/gtest.h>

namespace torvik::win32 {
namespace {

TEST(HotkeyMapping, EveryStoredKeyByteRegistersAsThatVirtualKey) {
    // The settings file holds virtual-key codes: whatever the core reads them into, the
    // system must be asked for the very same key.
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(VirtualKeyOf(KeyFromStoredCode(static_cast<std::uint8_t>(code))),
                  static_cast<UINT>(code))
            << code;
    }
    EXPECT_EQ(VirtualKeyOf(Key::Function(5)), static_cast<UINT>(VK_F5));
    EXPECT_EQ(VirtualKeyOf(Key::NumPad(3)), static_cast<UINT>(VK_NUMPAD3));
}

TEST(HotkeyMapping, ModifiersBecomeTheirOwnFlagEach) {
    EXPECT_EQ(ModifierFlagsOf({}), 0u);
    EXPECT_EQ(ModifierFlagsOf({.alt = true}), static_cast<UINT>(MOD_ALT));
    EXPECT_EQ(ModifierFlagsOf({.ctrl = true}), static_cast<UINT>(MOD_CONTROL));
    EXPECT_EQ(ModifierFlagsOf({.shift = true}), static_cast<UINT>(MOD_SHIFT));
    EXPECT_EQ(ModifierFlagsOf({.win = true}), static_cast<UINT>(MOD_WIN));
    EXPECT_EQ(ModifierFlagsOf({true, true, true, true}),
              static_cast<UINT>(MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN));
}

}  // namespace
}  // namespace torvik::win32

#include "core/keys.h"

#include <gtest/gtest.h>

namespace torvik {
namespace {

TEST(StoredKeys, NamedKeysReadFromTheirBytesAndEveryByteRoundTrips) {
    const struct {
        std::uint8_t stored;
        Key key;
    } named[] = {
        {0x70, Key::Function(1)}, {0x7B, Key::Function(12)},
        {0x60, Key::NumPad(0)},   {0x69, Key::NumPad(9)},
        {0x7C, {KeyGroup::kUnnamed, 0x7C}},   // F13 is none of ours
        {0x6A, {KeyGroup::kUnnamed, 0x6A}},   // the number pad's '*'
        {0x00, {KeyGroup::kUnnamed, 0x00}},
    };
    for (const auto& row : named) {
        EXPECT_EQ(KeyFromStoredCode(row.stored), row.key) << int(row.stored);
    }
    for (int code = 0; code < 256; ++code) {
        const auto stored = static_cast<std::uint8_t>(code);
        EXPECT_EQ(StoredCodeOf(KeyFromStoredCode(stored)), stored) << code;
    }
}

}  // namespace
}  // namespace torvik

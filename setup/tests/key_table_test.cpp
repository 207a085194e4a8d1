#include "setup/key_table.h"

#include <gtest/gtest.h>

namespace torvik {
namespace {

TEST(KeyTable, FunctionKeysAndNumberPadKeysMapBothWays) {
    for (int n = 0; n < 12; ++n) {
        const int position = n;
        EXPECT_EQ(CodeForItemId(2073 + n), 0x70 + n);
        EXPECT_EQ(PositionForCode(static_cast<std::uint8_t>(0x70 + n)), position);
        EXPECT_EQ(KeyTextAt(position), "F" + std::to_string(n + 1));
    }
    for (int n = 0; n < 10; ++n) {
        const int position = 12 + n;
        EXPECT_EQ(CodeForItemId(2090 + n), 0x60 + n);
        EXPECT_EQ(PositionForCode(static_cast<std::uint8_t>(0x60 + n)), position);
        EXPECT_EQ(KeyTextAt(position), "NUM PAD " + std::to_string(n));
    }
}

TEST(KeyTable, UnknownIdsStoreF1AndUnknownCodesShowF1) {
    EXPECT_EQ(CodeForItemId(2085), 0x70);   // the gap between F12 and NUM PAD 0
    EXPECT_EQ(CodeForItemId(2089), 0x70);
    EXPECT_EQ(CodeForItemId(0), 0x70);
    EXPECT_EQ(CodeForItemId(-1), 0x70);
    EXPECT_EQ(PositionForCode(0x00), 0);
    EXPECT_EQ(PositionForCode(0x41), 0);    // 'A'
    EXPECT_EQ(PositionForCode(0x7C), 0);    // F13
    EXPECT_EQ(PositionForCode(0x5F), 0);
    EXPECT_EQ(PositionForCode(0xFF), 0);
}

TEST(KeyTable, TextOutsideTheTableIsEmpty) {
    EXPECT_EQ(KeyTextAt(-1), "");
    EXPECT_EQ(KeyTextAt(22), "");
    EXPECT_EQ(KeyTextAt(40), "");
}

}  // namespace
}  // namespace torvik

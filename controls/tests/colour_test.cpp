#include "controls/colour.h"

#include <gtest/gtest.h>

namespace torvik {
namespace {

TEST(ColourValue, PacksRedLowThenGreenThenBlue) {
    const Colour c = Rgb(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x00563412u);
    EXPECT_EQ(RedOf(c), 0x12);
    EXPECT_EQ(GreenOf(c), 0x34);
    EXPECT_EQ(BlueOf(c), 0x56);
}

TEST(RgbToHls, PrimaryHuesAndGreys) {
    const Hls red = RgbToHls(Rgb(255, 0, 0));
    EXPECT_DOUBLE_EQ(red.h, 0.0);
    EXPECT_DOUBLE_EQ(red.l, 0.5);
    EXPECT_DOUBLE_EQ(red.s, 1.0);
    EXPECT_NEAR(RgbToHls(Rgb(0, 255, 0)).h, 1.0 / 3.0, 1e-15);
    EXPECT_NEAR(RgbToHls(Rgb(0, 0, 255)).h, 2.0 / 3.0, 1e-15);
    // Magenta's raw hue is negative and wraps into the turn.
    EXPECT_NEAR(RgbToHls(Rgb(255, 0, 255)).h, 5.0 / 6.0, 1e-15);

    const Hls grey = RgbToHls(Rgb(128, 128, 128));
    EXPECT_EQ(grey.h, 0.0);
    EXPECT_EQ(grey.s, 0.0);
    EXPECT_NEAR(grey.l, 128.0 / 255.0, 1e-15);
}

TEST(RgbToHls, SaturationFormulaChangesAtHalfLightness) {
    // Dark: d / (max + min); light: d / (2 - max - min).
    EXPECT_NEAR(RgbToHls(Rgb(100, 50, 50)).s, 50.0 / 150.0, 1e-12);
    EXPECT_NEAR(RgbToHls(Rgb(250, 200, 200)).s, 50.0 / (510.0 - 450.0), 1e-12);
}

TEST(HueToChannel, WrapsTheHueAndPicksTheSegment) {
    EXPECT_DOUBLE_EQ(HueToChannel(0.2, 0.8, 0.0), 0.2);
    EXPECT_NEAR(HueToChannel(0.2, 0.8, 0.1), 0.56, 1e-12);   // rising
    EXPECT_DOUBLE_EQ(HueToChannel(0.2, 0.8, 0.4), 0.8);      // plateau
    EXPECT_NEAR(HueToChannel(0.2, 0.8, 0.6), 0.44, 1e-12);   // falling
    EXPECT_DOUBLE_EQ(HueToChannel(0.2, 0.8, 0.9), 0.2);
    // Below 0 and above 1 wrap by one turn.
    EXPECT_DOUBLE_EQ(HueToChannel(0.2, 0.8, -0.6), HueToChannel(0.2, 0.8, 0.4));
    EXPECT_DOUBLE_EQ(HueToChannel(0.2, 0.8, 1.1), HueToChannel(0.2, 0.8, 0.1));
}

TEST(HlsToRgb, TruncatesEachChannel) {
    EXPECT_EQ(HlsToRgb({0.0, 0.5, 0.0}), Rgb(127, 127, 127));  // 127.5 truncated
    EXPECT_EQ(HlsToRgb({0.0, 0.5, 1.0}), Rgb(255, 0, 0));
    EXPECT_EQ(HlsToRgb({2.0 / 3.0, 0.25, 1.0}), Rgb(0, 0, 127));
}

TEST(HlsToRgb, MalformedInputGivesAColourWithoutOverflow) {
    // Out-of-range lightness must not reach an undefined float-to-int conversion.
    EXPECT_EQ(HlsToRgb({0.0, 1e300, 0.0}), Rgb(0, 0, 0));
    EXPECT_EQ(HlsToRgb({0.0, 2.0, 0.0}), Rgb(510 & 0xFF, 510 & 0xFF, 510 & 0xFF));
}

TEST(AdjustLightness, KnownShadesBitForBit) {
    EXPECT_EQ(AdjustLightness(Rgb(128, 128, 128), +0.1), Rgb(153, 153, 153));
    EXPECT_EQ(AdjustLightness(Rgb(255, 255, 255), +0.05), Rgb(252, 252, 252));
    EXPECT_EQ(AdjustLightness(Rgb(0, 0, 0), -0.07), Rgb(2, 2, 2));
    EXPECT_EQ(AdjustLightness(Rgb(212, 208, 200), -0.07), Rgb(196, 190, 179));
    EXPECT_EQ(AdjustLightness(Rgb(212, 208, 200), 0.0), Rgb(211, 208, 200));
    EXPECT_EQ(AdjustLightness(Rgb(0, 0, 255), +0.05), Rgb(25, 25, 255));
}

TEST(AdjustLightness, ClampsBothEnds) {
    EXPECT_EQ(AdjustLightness(Rgb(10, 10, 10), +5.0), Rgb(252, 252, 252));
    EXPECT_EQ(AdjustLightness(Rgb(200, 200, 200), -5.0), Rgb(2, 2, 2));
    // Hue and saturation survive the clamp, so a colour does not turn grey at the ends.
    EXPECT_EQ(AdjustLightness(Rgb(10, 20, 30), -5.0), Rgb(1, 2, 3));
}

}  // namespace
}  // namespace torvik

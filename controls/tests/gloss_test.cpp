#include "controls/gloss.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "controls/memory_surface.h"

namespace torvik {
namespace {

constexpr Colour kSentinel = Rgb(1, 2, 3);
// Every channel differs from index to index, so each ramp colour is recognisable.
constexpr Colour kBottom = Rgb(0, 0, 0);
constexpr Colour kTop = Rgb(220, 176, 88);

Colour Ramp(int i) { return GlossRampColour(kBottom, kTop, i); }

Colour Mean(Colour a, Colour b) {
    return Rgb((RedOf(a) + RedOf(b)) / 2, (GreenOf(a) + GreenOf(b)) / 2,
               (BlueOf(a) + BlueOf(b)) / 2);
}

TEST(GlossRamp, RunsFromBottomColourTowardTopColour) {
    EXPECT_EQ(GlossRampColour(Rgb(10, 20, 30), Rgb(98, 108, 118), 0), Rgb(10, 20, 30));
    EXPECT_EQ(GlossRampColour(Rgb(10, 20, 30), Rgb(98, 108, 118), 22), Rgb(54, 64, 74));
    EXPECT_EQ(GlossRampColour(Rgb(0, 0, 0), Rgb(255, 255, 255), 43), Rgb(249, 249, 249));
    EXPECT_EQ(Ramp(1), Rgb(5, 4, 2));
}

// The rectangle from row 1 to row 19 (h = 17), columns 2 to 22 of a 24 x 21 surface.
class GlossFillWorkedExample : public ::testing::Test {
protected:
    void SetUp() override { GlossFill(surface, {kLeft, 1, kRight, 19}, kBottom, kTop); }

    void ExpectRow(int y, int fromX, int toX, Colour colour) {
        for (int x = fromX; x < toX; ++x) {
            EXPECT_EQ(surface.GetPixel(x, y), colour) << "x=" << x << " y=" << y;
        }
    }

    static constexpr int kLeft = 2;
    static constexpr int kRight = 22;
    MemorySurface surface{24, 21, kSentinel};
};

TEST_F(GlossFillWorkedExample, BaseRampFillsTheLowerRowsAcrossTheWidth) {
    const int ramp[] = {15, 13, 11, 9, 7, 5, 3, 1};  // rows 11 to 18
    for (int y = 11; y <= 18; ++y) {
        ExpectRow(y, kLeft, kRight, Ramp(ramp[y - 11]));
        ExpectRow(y, 0, kLeft, kSentinel);
        ExpectRow(y, kRight, 24, kSentinel);
    }
    ExpectRow(19, 0, 24, kSentinel);
    ExpectRow(20, 0, 24, kSentinel);
}

TEST_F(GlossFillWorkedExample, GlossBandsNarrowByOnePixelWithBlendedEdges) {
    // Rows 10 to 5: gloss colour, inset, and the base colour still visible beside it.
    struct Row {
        int y;
        int gloss;
        int inset;
        int base;
    };
    const Row rows[] = {{10, 24, 5, 16}, {9, 26, 4, 18}, {8, 28, 3, 20},
                        {7, 30, 2, 22},  {6, 32, 1, 24}, {5, 34, 0, 26}};
    for (const Row& row : rows) {
        const int xl = kLeft + row.inset;
        const int xr = kRight - row.inset;
        ExpectRow(row.y, kLeft, xl, Ramp(row.base));
        EXPECT_EQ(surface.GetPixel(xl, row.y), Mean(Ramp(row.gloss), Ramp(row.base)));
        ExpectRow(row.y, xl + 1, xr - 1, Ramp(row.gloss));
        EXPECT_EQ(surface.GetPixel(xr - 1, row.y), Mean(Ramp(row.gloss), Ramp(row.base)));
        ExpectRow(row.y, xr, kRight, Ramp(row.base));
        ExpectRow(row.y, 0, kLeft, kSentinel);
        ExpectRow(row.y, kRight, 24, kSentinel);
    }
}

TEST_F(GlossFillWorkedExample, UpperBandsRunFullWidthUpIntoTheRowAboveTheRectangle) {
    const int ramp[] = {43, 41, 39, 38, 36};  // rows 0 to 4; row 0 lies above the rectangle
    for (int y = 0; y <= 4; ++y) {
        ExpectRow(y, kLeft, kRight, Ramp(ramp[y]));
        ExpectRow(y, 0, kLeft, kSentinel);
        ExpectRow(y, kRight, 24, kSentinel);
    }
}

TEST(GlossFill, NarrowRectanglesStillBlendAndFillInsideTheirBands) {
    // Four pixels wide: the inset edges cross, the fills between them are empty, and nothing
    // lands outside the columns the insets name.
    MemorySurface surface(20, 21, kSentinel);
    GlossFill(surface, {8, 1, 12, 19}, kBottom, kTop);
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (x < 3 || x >= 17) {
                EXPECT_EQ(surface.GetPixel(x, y), kSentinel) << x << "," << y;
            }
        }
    }
    // Row 10, inset 5: the edge pixels x = 13 and x = 6 lie outside the rectangle and are
    // blended with what was there.
    EXPECT_EQ(surface.GetPixel(13, 10), Mean(Ramp(24), kSentinel));
    EXPECT_EQ(surface.GetPixel(6, 10), Mean(Ramp(24), kSentinel));
    EXPECT_EQ(surface.GetPixel(9, 10), Ramp(16));
}

// A PixelView in the middle of a bigger buffer: anything written outside the view shows up in
// the guard band.
class GuardedSurface {
public:
    GuardedSurface(int width, int height)
        : stride_(width + 2 * kGuard),
          pixels_(static_cast<std::size_t>(stride_) * (height + 2 * kGuard), kGuardColour),
          view_(std::span(pixels_).subspan(static_cast<std::size_t>(kGuard) * stride_ + kGuard),
                width, height, stride_),
          width_(width),
          height_(height) {}

    PixelView& View() { return view_; }

    int GuardPixelsTouched() const {
        int touched = 0;
        for (int y = 0; y < height_ + 2 * kGuard; ++y) {
            for (int x = 0; x < stride_; ++x) {
                const bool inside =
                    x >= kGuard && x < kGuard + width_ && y >= kGuard && y < kGuard + height_;
                if (!inside && pixels_[static_cast<std::size_t>(y) * stride_ + x] != kGuardColour) {
                    ++touched;
                }
            }
        }
        return touched;
    }

private:
    static constexpr int kGuard = 80;
    static constexpr std::uint32_t kGuardColour = 0xA5A5A5A5u;
    int stride_;
    std::vector<std::uint32_t> pixels_;
    PixelView view_;
    int width_;
    int height_;
};

TEST(GlossFill, NeverWritesOutsideTheSurfaceWhateverTheHeight) {
    for (int height : {0, 1, 2, 33, 64}) {
        GuardedSurface guarded(131, height);
        PixelView& view = guarded.View();
        view.FillRect({0, 0, 131, height}, kSentinel);
        GlossFill(view, {1, 1, 130, height - 1}, kBottom, kTop);
        RoundedFrame(view, {0, 0, 131, height}, Rgb(9, 9, 9), Rgb(8, 8, 8));
        // A rectangle far larger than the surface in every direction.
        GlossFill(view, {-50, -40, 190, height + 40}, kBottom, kTop);
        EXPECT_EQ(guarded.GuardPixelsTouched(), 0) << "height " << height;
    }
}

TEST(GlossFill, TallButtonsPaintTheirTopRowsFromBandsThatReachAboveTheSurface) {
    // At 64 rows (h = 61) the band of ramp colour 41 covers rows -1 and 0: its visible row
    // is painted, the one above is cut off, and the bands of 42 and 43 lie wholly above.
    MemorySurface surface(20, 64, kSentinel);
    GlossFill(surface, {1, 1, 19, 63}, kBottom, kTop);
    EXPECT_EQ(surface.GetPixel(10, 0), Ramp(41));
    EXPECT_EQ(surface.GetPixel(10, 1), Ramp(40));
    EXPECT_EQ(surface.GetPixel(0, 0), kSentinel);
}

TEST(GlossFill, EmptyOrInvertedRectanglesPaintNothing) {
    MemorySurface surface(10, 10, kSentinel);
    GlossFill(surface, {2, 5, 8, 5}, kBottom, kTop);
    GlossFill(surface, {2, 8, 8, 3}, kBottom, kTop);
    GlossFill(surface, {8, 2, 2, 8}, kBottom, kTop);
    for (std::uint32_t pixel : surface.Pixels()) {
        ASSERT_EQ(pixel, kSentinel);
    }
}

TEST(RoundedFrame, CutsTheCornersOfA10By6Rectangle) {
    constexpr Colour kFrame = Rgb(200, 0, 0);
    constexpr Colour kFace = Rgb(0, 200, 0);
    MemorySurface surface(12, 8, kSentinel);
    RoundedFrame(surface, {0, 0, 10, 6}, kFrame, kFace);

    for (Point p : {Point{0, 0}, Point{9, 0}, Point{0, 5}, Point{9, 5}}) {
        EXPECT_EQ(surface.GetPixel(p.x, p.y), kFace) << p.x << "," << p.y;
    }
    for (Point p : {Point{1, 1}, Point{8, 1}, Point{1, 4}, Point{8, 4}}) {
        EXPECT_EQ(surface.GetPixel(p.x, p.y), kFrame) << p.x << "," << p.y;
    }
    for (int x = 1; x <= 8; ++x) {
        EXPECT_EQ(surface.GetPixel(x, 0), kFrame);
        EXPECT_EQ(surface.GetPixel(x, 5), kFrame);
    }
    for (int y = 1; y <= 4; ++y) {
        EXPECT_EQ(surface.GetPixel(0, y), kFrame);
        EXPECT_EQ(surface.GetPixel(9, y), kFrame);
    }
    // Inside, apart from the four diagonal pixels, and outside: untouched.
    for (int y = 2; y <= 3; ++y) {
        for (int x = 2; x <= 7; ++x) {
            EXPECT_EQ(surface.GetPixel(x, y), kSentinel);
        }
    }
    EXPECT_EQ(surface.GetPixel(10, 0), kSentinel);
    EXPECT_EQ(surface.GetPixel(0, 6), kSentinel);
}

TEST(SunkenFrame, DarkTopLeftAndLitBottomRightWithTheLitEdgesOwningTheCorners) {
    constexpr Colour kDark = Rgb(10, 10, 10);
    constexpr Colour kLit = Rgb(250, 250, 250);
    MemorySurface surface(6, 5, kSentinel);
    SunkenFrame(surface, {0, 0, 6, 5}, kDark, kLit);
    EXPECT_EQ(surface.GetPixel(0, 0), kDark);
    EXPECT_EQ(surface.GetPixel(4, 0), kDark);
    EXPECT_EQ(surface.GetPixel(5, 0), kLit);   // top-right corner
    EXPECT_EQ(surface.GetPixel(0, 3), kDark);
    EXPECT_EQ(surface.GetPixel(0, 4), kLit);   // bottom-left corner
    EXPECT_EQ(surface.GetPixel(5, 4), kLit);
    EXPECT_EQ(surface.GetPixel(3, 4), kLit);
    EXPECT_EQ(surface.GetPixel(5, 2), kLit);
    EXPECT_EQ(surface.GetPixel(2, 2), kSentinel);
}

TEST(PixelView, StoresDibOrderAndRefusesTooSmallBuffers) {
    std::vector<std::uint32_t> pixels(4 * 3, 0);
    PixelView dib(pixels, 3, 3, 4, PixelOrder::kBgrx);
    dib.SetPixel(1, 2, Rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(pixels[2 * 4 + 1], 0x00112233u);
    EXPECT_EQ(dib.GetPixel(1, 2), Rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(dib.GetPixel(3, 0), kNoColour);   // in the stride padding, outside the view
    EXPECT_EQ(dib.GetPixel(-1, 0), kNoColour);

    const std::span<std::uint32_t> elevenPixels = std::span(pixels).first(11);
    PixelView tooSmall(elevenPixels, 4, 3, 4);
    EXPECT_EQ(tooSmall.Width(), 0);
    tooSmall.FillRect({0, 0, 4, 3}, Rgb(9, 9, 9));
    PixelView badStride(pixels, 4, 3, 3);
    EXPECT_EQ(badStride.Height(), 0);
    badStride.SetPixel(0, 0, Rgb(9, 9, 9));
    EXPECT_EQ(pixels[0], 0u);
}

TEST(MemorySurface, NegativeSizesGiveAnEmptySurface) {
    MemorySurface surface(-3, 5);
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 0);
    surface.FillRect({0, 0, 10, 10}, kSentinel);
    surface.SetPixel(0, 0, kSentinel);
    EXPECT_EQ(surface.GetPixel(0, 0), kNoColour);
}

}  // namespace
}  // namespace torvik

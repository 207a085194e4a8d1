#include "controls/row_layout.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

namespace torvik {
namespace {

class FakeWindow : public LayoutWindow {
public:
    explicit FakeWindow(int captionWidth) : captionWidth_(captionWidth) {}
    int MeasureCaptionInBold() const override { return captionWidth_; }
    void MoveAndSize(int x, int y, int width, int height) override {
        placed = true;
        bounds = {x, y, x + width, y + height};
    }

    bool placed = false;
    Rect bounds;

private:
    int captionWidth_;
};

// Three windows whose TextWidth values are 40, 50 and 60.
struct ThreeButtons {
    FakeWindow a{34};
    FakeWindow b{44};
    FakeWindow c{54};
    std::array<LayoutWindow*, 3> row{&a, &b, &c};
};

TEST(TextWidth, AddsPaddingToTheBoldCaption) {
    EXPECT_EQ(TextWidth(FakeWindow(0)), 6);   // empty caption
    EXPECT_EQ(TextWidth(FakeWindow(37)), 43);
}

TEST(PlaceButton, SizesToCaptionPlusExtraAndReturnsTheRightEdge) {
    FakeWindow window(34);
    EXPECT_EQ(PlaceButton(window, 10, 7, 21, -3), 10 + 37);
    EXPECT_EQ(window.bounds, (Rect{10, 7, 47, 28}));
}

TEST(LayoutRow, SpreadsTheLeftoverPixelsOverTheFirstButtons) {
    ThreeButtons buttons;
    LayoutRow({10, 5, 210, 26}, buttons.row, 3, 2);
    EXPECT_EQ(buttons.a.bounds, (Rect{10, 5, 66, 26}));    // 56 wide
    EXPECT_EQ(buttons.b.bounds, (Rect{68, 5, 133, 26}));   // 65 wide at left + 58
    EXPECT_EQ(buttons.c.bounds, (Rect{135, 5, 210, 26}));  // 75 wide at left + 125
}

TEST(LayoutRow, ShrinksEveryButtonWhenCaptionsNeedMoreRoomThanThereIs) {
    ThreeButtons buttons;
    LayoutRow({0, 0, 140, 20}, buttons.row, 3, 2);
    EXPECT_EQ(buttons.a.bounds.Width(), 35);
    EXPECT_EQ(buttons.b.bounds.Width(), 45);
    EXPECT_EQ(buttons.c.bounds.Width(), 56);
    EXPECT_EQ(buttons.b.bounds.left, 37);
    EXPECT_EQ(buttons.c.bounds.right, 140);
}

TEST(LayoutRow, NothingIsPlacedForNoWindows) {
    ThreeButtons buttons;
    LayoutRow({0, 0, 200, 20}, buttons.row, 0, 2);
    LayoutRow({0, 0, 200, 20}, buttons.row, -4, 2);
    LayoutRow({0, 0, 200, 20}, {}, 3, 2);
    EXPECT_FALSE(buttons.a.placed || buttons.b.placed || buttons.c.placed);
}

TEST(LayoutRow, CountIsCutToTheWindowsGivenAndNullEntriesAreLeftOut) {
    FakeWindow a(34);
    FakeWindow b(44);
    std::vector<LayoutWindow*> row{&a, nullptr, &b};
    // Two real windows over 100 pixels: free = 100 - 2 - 90 = 8, share 4.
    LayoutRow({0, 0, 100, 10}, row, 7, 2);
    EXPECT_EQ(a.bounds, (Rect{0, 0, 44, 10}));
    EXPECT_EQ(b.bounds, (Rect{46, 0, 100, 10}));

    // A count of 1 places the first window only, over the whole area.
    FakeWindow c(10);
    FakeWindow d(10);
    std::vector<LayoutWindow*> pair{&c, &d};
    LayoutRow({0, 0, 50, 10}, pair, 1, 2);
    EXPECT_EQ(c.bounds, (Rect{0, 0, 50, 10}));
    EXPECT_FALSE(d.placed);
}

}  // namespace
}  // namespace torvik

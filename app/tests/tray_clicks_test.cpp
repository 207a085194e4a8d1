#include "app/tray_clicks.h"

#include <gtest/gtest.h>

namespace torvik {
namespace {

constexpr std::uint32_t kDoubleClickTime = 500;

TEST(TrayClicks, ALeftPressWaitsAndTheMenuOpensOnlyWhenNoSecondPressCame) {
    TrayClickRules rules(kDoubleClickTime);
    EXPECT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 1000), TrayAction::kStartWait);
    EXPECT_EQ(rules.OnMouse(TrayMouse::kOther, 1100), TrayAction::kNone);   // the release
    EXPECT_EQ(rules.OnWaitOver(), TrayAction::kShowMenu);
    // One menu per press: a late second report of the same wait does nothing.
    EXPECT_EQ(rules.OnWaitOver(), TrayAction::kNone);
    EXPECT_FALSE(rules.Waiting());
}

TEST(TrayClicks, ADoubleClickShowsTheWindowAndNoMenuFollows) {
    TrayClickRules rules(kDoubleClickTime);
    // The system's order: press, release, double-click event, release.
    ASSERT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 1000), TrayAction::kStartWait);
    rules.OnMouse(TrayMouse::kOther, 1050);
    EXPECT_EQ(rules.OnMouse(TrayMouse::kLeftDoubleClick, 1200), TrayAction::kShowWindow);
    rules.OnMouse(TrayMouse::kOther, 1250);
    EXPECT_EQ(rules.OnWaitOver(), TrayAction::kNone);

    // A shell that reports the second press as a plain press: the same double click, counted
    // once even when a double-click event of the pair follows it.
    ASSERT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 5000), TrayAction::kStartWait);
    EXPECT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 5300), TrayAction::kShowWindow);
    EXPECT_EQ(rules.OnMouse(TrayMouse::kLeftDoubleClick, 5310), TrayAction::kNone);
    EXPECT_EQ(rules.OnWaitOver(), TrayAction::kNone);
}

TEST(TrayClicks, PressesFartherApartThanTheDoubleClickTimeAreSingleClicks) {
    TrayClickRules rules(kDoubleClickTime);
    ASSERT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 1000), TrayAction::kStartWait);
    // The wait's end was not reported in time: the first press still gets its menu.
    EXPECT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 1501), TrayAction::kShowMenu);
    EXPECT_EQ(rules.OnWaitOver(), TrayAction::kNone);
    // The clock wraps: 200 ms across the wrap is still within the time.
    ASSERT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 0xFFFFFF00u), TrayAction::kStartWait);
    EXPECT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 0x00000008u), TrayAction::kShowWindow);
}

TEST(TrayClicks, TheRightButtonOpensTheMenuAtOnceAndEndsAPendingWait) {
    TrayClickRules rules(kDoubleClickTime);
    EXPECT_EQ(rules.OnMouse(TrayMouse::kRightDown, 1000), TrayAction::kShowMenu);
    ASSERT_EQ(rules.OnMouse(TrayMouse::kLeftDown, 2000), TrayAction::kStartWait);
    EXPECT_EQ(rules.OnMouse(TrayMouse::kRightDown, 2100), TrayAction::kShowMenu);
    EXPECT_EQ(rules.OnWaitOver(), TrayAction::kNone);   // no second menu for the left press
    // A double-click event with no press before it (a shell that sends only that) still shows
    // the window.
    EXPECT_EQ(rules.OnMouse(TrayMouse::kLeftDoubleClick, 3000), TrayAction::kShowWindow);
}

}  // namespace
}  // namespace torvik

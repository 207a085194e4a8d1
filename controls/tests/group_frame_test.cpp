#include "controls/group_frame.h"

#include <gtest/gtest.h>

#include "controls/dialog_template.h"

namespace torvik {
namespace {

bool Intersect(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The main window's "Options" group with the controls the template puts in it, in pixels of
// the dialog font's base units (6 x 13): every one lies inside the frame, below its top line,
// and the caption sits in that line clear of them all.
TEST(GroupFrame, TheOptionsGroupHoldsItsButtonsAndItsCaptionSitsInTheTopLine) {
    const DialogBaseUnits base{6, 13};
    const Rect box = DialogUnitsToPixels(Rect{4, 56, 4 + 256, 56 + 28}, base);
    const Rect inside[] = {
        DialogUnitsToPixels(Rect{6, 66, 6 + 60, 66 + 14}, base),      // switch mode
        DialogUnitsToPixels(Rect{68, 66, 68 + 68, 66 + 14}, base),    // mixer mode
        DialogUnitsToPixels(Rect{137, 66, 137 + 41, 66 + 14}, base),  // Setup
        DialogUnitsToPixels(Rect{188, 63, 188 + 67, 63 + 17}, base),  // Manual, the highest
    };
    const GroupFramePlan plan = PlanGroupFrame(box, 44, 13, false);
    EXPECT_EQ(plan.frame.top, box.top + 5);
    EXPECT_EQ(plan.caption.left, box.left + kGroupCaptionInset);
    EXPECT_EQ(plan.caption.Width(), 44);
    EXPECT_LT(plan.caption.top, plan.frame.top);
    EXPECT_GT(plan.caption.bottom, plan.frame.top + 1) << "the line runs through the caption";
    for (const Rect& control : inside) {
        EXPECT_GT(control.top, plan.frame.top + 1) << control.left;
        EXPECT_LT(control.bottom, plan.frame.bottom) << control.left;
        EXPECT_GT(control.left, plan.frame.left) << control.left;
        EXPECT_LT(control.right, plan.frame.right) << control.left;
        EXPECT_FALSE(Intersect(control, plan.caption)) << control.left;
    }
}

TEST(GroupFrame, CentredLongAndMissingCaptions) {
    const Rect box{10, 20, 110, 80};
    const GroupFramePlan centred = PlanGroupFrame(box, 40, 13, true);
    EXPECT_EQ(centred.caption.left, 40);
    EXPECT_EQ(centred.caption.right, 80);
    const GroupFramePlan tooLong = PlanGroupFrame(box, 500, 13, false);
    EXPECT_EQ(tooLong.caption.right, box.right - kGroupCaptionInset);
    const GroupFramePlan none = PlanGroupFrame(box, 0, 13, false);
    EXPECT_EQ(none.caption.Width(), 0);
    EXPECT_EQ(none.frame.top, 25);
    const GroupFramePlan flat = PlanGroupFrame(Rect{0, 0, 50, 3}, 20, 13, false);
    EXPECT_LE(flat.frame.top, flat.frame.bottom) << "a box lower than the line stays a box";
    EXPECT_LE(flat.caption.bottom, 3);
}

}  // namespace
}  // namespace torvik

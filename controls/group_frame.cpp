#include "controls/group_frame.h"

#include <algorithm>

namespace torvik {

GroupFramePlan PlanGroupFrame(const Rect& box, int captionWidth, int lineHeight, bool centred) {
    GroupFramePlan plan;
    plan.frame = box;
    plan.frame.top = std::min(box.bottom, box.top + lineHeight / 2 - 1);
    if (captionWidth <= 0) {
        plan.caption = Rect{box.left, box.top, box.left, box.top};
        return plan;
    }
    // A caption longer than the line is cut at the frame's right inset.
    const int room = std::max(0, box.Width() - 2 * kGroupCaptionInset);
    const int width = std::min(captionWidth, room);
    const int left = centred ? box.left + (box.Width() - width) / 2 : box.left + kGroupCaptionInset;
    plan.caption = Rect{left, box.top, left + width, std::min(box.bottom, box.top + lineHeight)};
    return plan;
}

}  // namespace torvik

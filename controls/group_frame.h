#pragma once
// Where a group box (BS_GROUPBOX) draws its frame and caption, as Windows does: an etched
// rectangle whose top line runs through the middle of the caption's line, the caption in a gap
// of that line, 7 pixels in from the left (or centred with BS_CENTER). Every control the
// template places inside the box's rectangle below its caption lies inside the frame.

#include "controls/geometry.h"

namespace torvik {

// How far the caption's gap starts inside the frame's left line.
inline constexpr int kGroupCaptionInset = 7;

struct GroupFramePlan {
    Rect frame;     // the outer line of the etch; the inner one lies one pixel right and down
    Rect caption;   // where the caption's text goes, its background cleared; empty: no caption
};

// box: the group's rectangle in pixels; the caption's size as the font measures it.
GroupFramePlan PlanGroupFrame(const Rect& box, int captionWidth, int lineHeight, bool centred);

}  // namespace torvik

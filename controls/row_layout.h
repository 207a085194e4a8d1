#pragma once
// Sizing a row of buttons to their captions: the caption width of one button and the layout
// that spreads a row over an area so that it fills the area exactly.

#include <span>

#include "controls/geometry.h"

namespace torvik {

// The window side of the layout.
class LayoutWindow {
public:
    virtual ~LayoutWindow() = default;
    // Width in pixels of the window text measured as one line in boldFont, whatever font the
    // caption is drawn in.
    virtual int MeasureCaptionInBold() const = 0;
    // Moves and sizes the window without changing z-order or activation.
    virtual void MoveAndSize(int x, int y, int width, int height) = 0;
};

// Padding added to every measured caption.
inline constexpr int kCaptionPadding = 6;

int TextWidth(const LayoutWindow& window);

// Gives the window its caption width plus extra at (x, y); returns the x just right of it.
int PlaceButton(LayoutWindow& window, int x, int y, int height, int extra);

// Places the first count windows left to right over area, gap pixels apart, each as wide as its
// caption plus an equal share of the free space (the leftover pixels going one each to the
// first windows), so that the row ends exactly at area.right. A count of 0 or less lays out
// nothing; a count beyond the span is cut to its size, and null entries are left out.
void LayoutRow(const Rect& area, std::span<LayoutWindow* const> windows, int count, int gap);

}  // namespace torvik

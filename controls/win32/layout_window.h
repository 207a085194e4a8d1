#pragma once
// A window as the row layout sees it: its caption width in the bold font, and a move.

#include <windows.h>

#include <span>

#include "controls/row_layout.h"

namespace torvik::win32 {

class LayoutHwnd final : public LayoutWindow {
public:
    explicit LayoutHwnd(HWND hwnd) : hwnd_(hwnd) {}
    int MeasureCaptionInBold() const override;
    void MoveAndSize(int x, int y, int width, int height) override;

private:
    HWND hwnd_;
};

// The rectangle of a child window in its parent's client coordinates.
RECT ChildRect(HWND child);

// Lays the windows out with LayoutRow in one row over the span from the first one's left edge
// to the last one's right edge, at the first one's top and height. Nothing moves while any of
// them is missing.
void LayoutWindowRow(std::span<const HWND> windows, int gap);

}  // namespace torvik::win32

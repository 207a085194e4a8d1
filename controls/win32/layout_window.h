#pragma once
// A window as the row layout sees it: its caption width in the bold font, and a move.

#include <windows.h>

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

}  // namespace torvik::win32

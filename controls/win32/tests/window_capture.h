#pragma once
// What a window shows: its client area read back from the window's own device context, so
// the pixels are those its painting left on screen.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/colour.h"

namespace torvik::win32::testing {

class WindowPicture {
public:
    // The client area of window as it is now; empty when it cannot be read.
    static WindowPicture Of(HWND window);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }
    // kNoColour outside the picture.
    Colour At(int x, int y) const;
    // Number of pixels of colour within [left, right) x [top, bottom).
    int Count(Colour colour, int left, int top, int right, int bottom) const;

    // Writes a 24-bit BMP file; false when it cannot.
    bool SaveBmp(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;  // Colour values, row after row from the top
};

}  // namespace torvik::win32::testing

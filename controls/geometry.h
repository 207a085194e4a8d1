#pragma once
// Integer pixel geometry shared by the skinned controls: points and half-open rectangles.

namespace torvik {

struct Point {
    int x = 0;
    int y = 0;

    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// Covers the pixels left <= x < right, top <= y < bottom, like a window-system rectangle.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }

    // Moves every edge inwards by d (outwards for a negative d).
    constexpr Rect Shrunk(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    constexpr Rect Offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace torvik

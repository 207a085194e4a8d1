#pragma once
// The pixel target of the skinned controls' painting primitives. A platform may implement it over
// its own drawing context or wrap a bitmap's memory in a PixelView (memory_surface.h).

#include "controls/colour.h"
#include "controls/geometry.h"

namespace torvik {

class PixelSurface {
public:
    virtual ~PixelSurface() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Every operation is clipped to 0 <= x < Width(), 0 <= y < Height(). An empty or inverted
    // rectangle fills nothing.
    virtual void FillRect(const Rect& rect, Colour colour) = 0;
    // kNoColour for a point outside the surface.
    virtual Colour GetPixel(int x, int y) const = 0;
    virtual void SetPixel(int x, int y, Colour colour) = 0;
};

}  // namespace torvik

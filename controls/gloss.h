#pragma once
// Painting primitives of the skinned buttons: the gloss gradient of the gradient looks and the
// one-pixel frames. All of them paint through a PixelSurface and are clipped only by it.

#include "controls/colour.h"
#include "controls/geometry.h"
#include "controls/pixel_surface.h"

namespace torvik {

// Number of ramp colours between the bottom and the top colour (index 0 is the bottom colour).
inline constexpr int kGlossRampSteps = 44;

// Ramp colour of index i: channel by channel ((44 - i) * bottom + i * top) / 44.
Colour GlossRampColour(Colour bottomColour, Colour topColour, int index);

// Fills rect with a base ramp from the bottom up, then covers the upper half with a second ramp
// further along toward the top colour, whose lower corners are rounded off by insets with
// half-blended edge pixels. The last gloss bands reach above rect (into the ring where a frame
// goes); the surface clips them.
void GlossFill(PixelSurface& surface, const Rect& rect, Colour bottomColour, Colour topColour);

// One-pixel outline in colour with the pixels diagonally inside the corners set as well and the
// four corner pixels set to faceColour, so the corners look cut off. An empty rect paints nothing.
void RoundedFrame(PixelSurface& surface, const Rect& rect, Colour colour, Colour faceColour);

// One-pixel sunken frame: the top row (less its last pixel) and the left column (less its last
// pixel) in topLeft, the right column and the bottom row in bottomRight. Empty rect: nothing.
void SunkenFrame(PixelSurface& surface, const Rect& rect, Colour topLeft, Colour bottomRight);

}  // namespace torvik

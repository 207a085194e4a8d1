#include "controls/gloss.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace torvik {

namespace {

constexpr int kBandsPerHeight = 32;
constexpr int kGlossBands = 20;
constexpr int kGlossFirstBand = 16;   // the gloss starts half-way up
constexpr int kGlossFirstColour = 24;
constexpr int kGlossInset = 5;

int ClampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    std::int64_t q = value / divisor;
    if ((value % divisor != 0) && ((value < 0) != (divisor < 0))) {
        --q;
    }
    return q;
}

// The rows of band (a, b): from bottom - floor(b*h/32) (inclusive) to bottom - floor(a*h/32).
struct Band {
    std::int64_t top;
    std::int64_t end;
    bool IsEmpty() const { return top >= end; }
};

Band BandRows(std::int64_t bottom, std::int64_t h, int a, int b) {
    return {bottom - FloorDiv(b * h, kBandsPerHeight), bottom - FloorDiv(a * h, kBandsPerHeight)};
}

Rect BandRect(std::int64_t left, const Band& band, std::int64_t right) {
    return {ClampToInt(left), ClampToInt(band.top), ClampToInt(right), ClampToInt(band.end)};
}

Colour Average(Colour p, Colour q) {
    return Rgb((RedOf(p) + RedOf(q)) / 2, (GreenOf(p) + GreenOf(q)) / 2,
               (BlueOf(p) + BlueOf(q)) / 2);
}

// Replaces the pixel with the average of itself and colour; nothing outside the surface.
void BlendPixel(PixelSurface& surface, std::int64_t x, std::int64_t y, Colour colour) {
    const Colour there = surface.GetPixel(ClampToInt(x), ClampToInt(y));
    if (there == kNoColour) {
        return;
    }
    surface.SetPixel(ClampToInt(x), ClampToInt(y), Average(colour, there));
}

}  // namespace

Colour GlossRampColour(Colour bottomColour, Colour topColour, int index) {
    const auto mix = [index](int from, int to) {
        return ((kGlossRampSteps - index) * from + index * to) / kGlossRampSteps;
    };
    return Rgb(mix(RedOf(bottomColour), RedOf(topColour)),
               mix(GreenOf(bottomColour), GreenOf(topColour)),
               mix(BlueOf(bottomColour), BlueOf(topColour)));
}

void GlossFill(PixelSurface& surface, const Rect& rect, Colour bottomColour, Colour topColour) {
    // 64-bit throughout, so that no rectangle can overflow the band arithmetic.
    const std::int64_t left = rect.left;
    const std::int64_t right = rect.right;
    const std::int64_t top = rect.top;
    const std::int64_t bottom = rect.bottom;
    const std::int64_t h = bottom - top - 1;

    // Base ramp, from the bottom row up to row top + 2.
    for (int i = 0; i < kGlossRampSteps; ++i) {
        const Band band = BandRows(bottom, h, i, i + 1);
        if (band.top < top + 2) {
            break;
        }
        if (!band.IsEmpty()) {
            surface.FillRect(BandRect(left, band, right),
                             GlossRampColour(bottomColour, topColour, i));
        }
    }

    // Gloss over the upper half: the same bands shifted up by half the height, with no stop.
    int inset = kGlossInset;
    for (int k = 0; k < kGlossBands; ++k) {
        const Band band = BandRows(bottom, h, kGlossFirstBand + k, kGlossFirstBand + k + 1);
        if (band.IsEmpty()) {
            continue;
        }
        const Colour colour = GlossRampColour(bottomColour, topColour, kGlossFirstColour + k);
        if (inset >= 0) {
            std::int64_t xl = left + inset;
            std::int64_t xr = right - inset;
            BlendPixel(surface, xl, band.top, colour);
            BlendPixel(surface, xr - 1, band.top, colour);
            surface.FillRect(BandRect(xl + 1, band, xr - 1), colour);
            --inset;
        } else {
            surface.FillRect(BandRect(left, band, right), colour);
        }
    }
}

void RoundedFrame(PixelSurface& surface, const Rect& rect, Colour colour, Colour faceColour) {
    if (rect.IsEmpty()) {
        return;
    }
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right;
    const int b = rect.bottom;
    surface.FillRect({l, t, r, t + 1}, colour);
    surface.FillRect({l, b - 1, r, b}, colour);
    surface.FillRect({l, t, l + 1, b}, colour);
    surface.FillRect({r - 1, t, r, b}, colour);

    surface.SetPixel(l + 1, t + 1, colour);
    surface.SetPixel(r - 2, t + 1, colour);
    surface.SetPixel(l + 1, b - 2, colour);
    surface.SetPixel(r - 2, b - 2, colour);

    surface.SetPixel(l, t, faceColour);
    surface.SetPixel(r - 1, t, faceColour);
    surface.SetPixel(l, b - 1, faceColour);
    surface.SetPixel(r - 1, b - 1, faceColour);
}

void SunkenFrame(PixelSurface& surface, const Rect& rect, Colour topLeft, Colour bottomRight) {
    if (rect.IsEmpty()) {
        return;
    }
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right;
    const int b = rect.bottom;
    surface.FillRect({l, t, r - 1, t + 1}, topLeft);
    surface.FillRect({l, t, l + 1, b - 1}, topLeft);
    surface.FillRect({r - 1, t, r, b}, bottomRight);
    surface.FillRect({l, b - 1, r, b}, bottomRight);
}

}  // namespace torvik

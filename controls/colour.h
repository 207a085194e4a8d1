#pragma once
// Colour values laid out like the window system's COLORREF, and the hue-lightness-saturation
// arithmetic that derives the skinned buttons' shades from a few system colours.

#include <cstdint>

namespace torvik {

// Red in the low byte, then green, then blue; the top byte is 0 for a real colour.
using Colour = std::uint32_t;

// "No colour of its own" for a button's caption, and what a pixel read outside a surface gives.
inline constexpr Colour kNoColour = 0xFFFFFFFFu;

constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
           static_cast<Colour>(blue & 0xFF) << 16;
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Colour kWhite = Rgb(255, 255, 255);

// Hue (a full turn is 1; red 0, green 1/3, blue 2/3), lightness and saturation, each 0 to 1.
struct Hls {
    double h = 0.0;
    double l = 0.0;
    double s = 0.0;
};

Hls RgbToHls(Colour colour);
double HueToChannel(double m1, double m2, double h);
Colour HlsToRgb(const Hls& hls);

// The colour with its lightness moved by delta and kept within 0.01 to 0.99. The byte
// conversion truncates, so even a delta of 0 may change a colour slightly.
Colour AdjustLightness(Colour colour, double delta);

}  // namespace torvik

#include "controls/colour.h"

#include <algorithm>

namespace torvik {

namespace {

constexpr double kByteScale = 0.00392156862745098;  // 1/255
constexpr double kOneSixth = 0.16666666666666666;
constexpr double kOneThird = 0.3333333333333333;
constexpr double kTwoThirds = 0.6666666666666666;

// Channel 0..1 to a byte: truncation toward zero, low eight bits kept. A value that no int
// can hold (only from a malformed Hls) gives 0 instead of undefined behaviour.
Colour ChannelToByte(double channel) {
    const double scaled = channel * 255.0;
    if (!(scaled > -2147483648.0 && scaled < 2147483648.0)) {
        return 0;
    }
    return static_cast<Colour>(static_cast<int>(scaled)) & 0xFF;
}

}  // namespace

Hls RgbToHls(Colour colour) {
    const double r = RedOf(colour) * kByteScale;
    const double g = GreenOf(colour) * kByteScale;
    const double b = BlueOf(colour) * kByteScale;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});

    Hls hls;
    hls.l = (max + min) * 0.5;
    if (max == min) {
        return hls;  // a grey: no hue, no saturation
    }
    const double d = max - min;
    // Note the strict test here against the inclusive one in HlsToRgb; both are kept as they
    // are because the shades the buttons show depend on them.
    hls.s = hls.l < 0.5 ? d / (max + min) : d / (2.0 - max - min);
    double h;
    if (r == max) {
        h = (g - b) / d;
    } else if (g == max) {
        h = (b - r) / d + 2.0;
    } else {
        h = (r - g) / d + 4.0;
    }
    h *= kOneSixth;
    if (h < 0.0) {
        h += 1.0;
    }
    hls.h = h;
    return hls;
}

double HueToChannel(double m1, double m2, double h) {
    if (h < 0.0) {
        h += 1.0;
    }
    if (h > 1.0) {
        h -= 1.0;
    }
    if (6.0 * h < 1.0) {
        return m1 + (m2 - m1) * h * 6.0;
    }
    if (2.0 * h < 1.0) {
        return m2;
    }
    if (3.0 * h < 2.0) {
        return m1 + (m2 - m1) * (kTwoThirds - h) * 6.0;
    }
    return m1;
}

Colour HlsToRgb(const Hls& hls) {
    double r;
    double g;
    double b;
    if (hls.s == 0.0) {
        r = g = b = hls.l;
    } else {
        const double m2 = hls.l <= 0.5 ? hls.l * (1.0 + hls.s) : hls.l + hls.s - hls.l * hls.s;
        const double m1 = 2.0 * hls.l - m2;
        r = HueToChannel(m1, m2, hls.h + kOneThird);
        g = HueToChannel(m1, m2, hls.h);
        b = HueToChannel(m1, m2, hls.h - kOneThird);
    }
    return ChannelToByte(r) | ChannelToByte(g) << 8 | ChannelToByte(b) << 16;
}

Colour AdjustLightness(Colour colour, double delta) {
    Hls hls = RgbToHls(colour);
    hls.l += delta;
    if (hls.l > 0.99) {
        hls.l = 0.99;
    } else if (hls.l < 0.01) {
        hls.l = 0.01;
    }
    return HlsToRgb(hls);
}

}  // namespace torvik

#include "controls/memory_surface.h"

#include <algorithm>
#include <cstddef>

namespace torvik {

namespace {

int ClampSide(int side) { return std::clamp(side, 0, kMaxSurfaceSide); }

// Swaps the red and blue bytes; the operation is its own inverse.
std::uint32_t SwapRedBlue(std::uint32_t v) {
    return (v & 0xFF00FF00u) | (v & 0xFFu) << 16 | (v >> 16 & 0xFFu);
}

}  // namespace

PixelView::PixelView(std::span<std::uint32_t> pixels, int width, int height, int rowStride,
                     PixelOrder order)
    : order_(order) {
    width = ClampSide(width);
    height = ClampSide(height);
    if (width == 0 || height == 0 || rowStride < width) {
        return;
    }
    const std::size_t needed = static_cast<std::size_t>(rowStride) * (height - 1) + width;
    if (pixels.size() < needed) {
        return;
    }
    pixels_ = pixels;
    width_ = width;
    height_ = height;
    stride_ = rowStride;
}

std::uint32_t PixelView::Encode(Colour colour) const {
    return order_ == PixelOrder::kBgrx ? SwapRedBlue(colour) : colour;
}

Colour PixelView::Decode(std::uint32_t pixel) const {
    return order_ == PixelOrder::kBgrx ? SwapRedBlue(pixel) & 0x00FFFFFFu : pixel;
}

void PixelView::FillRect(const Rect& rect, Colour colour) {
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min(rect.right, width_);
    const int bottom = std::min(rect.bottom, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::uint32_t value = Encode(colour);
    for (int y = top; y < bottom; ++y) {
        const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * stride_;
        std::fill(row + left, row + right, value);
    }
}

Colour PixelView::GetPixel(int x, int y) const {
    if (!Contains(x, y)) {
        return kNoColour;
    }
    return Decode(pixels_[static_cast<std::size_t>(y) * stride_ + x]);
}

void PixelView::SetPixel(int x, int y, Colour colour) {
    if (Contains(x, y)) {
        pixels_[static_cast<std::size_t>(y) * stride_ + x] = Encode(colour);
    }
}

MemorySurface::MemorySurface(int width, int height, Colour fill)
    : pixels_(static_cast<std::size_t>(ClampSide(width)) * ClampSide(height), fill),
      view_(pixels_, ClampSide(width), ClampSide(height), ClampSide(width)) {}

}  // namespace torvik

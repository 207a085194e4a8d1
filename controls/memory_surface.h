#pragma once
// In-memory pixel surfaces: PixelView paints into 32-bit pixels that someone else owns (for
// example a top-down 32-bit device-independent bitmap), MemorySurface owns its pixels.

#include <cstdint>
#include <span>
#include <vector>

#include "controls/pixel_surface.h"

namespace torvik {

// How a colour is stored in one 32-bit pixel.
enum class PixelOrder {
    kColourValue,  // as Colour: red in the low byte
    kBgrx,         // blue in the low byte, red in the third: a 32-bit DIB's order
};

// Largest width or height a surface accepts; bigger requests are cut down to it.
inline constexpr int kMaxSurfaceSide = 16384;

class PixelView final : public PixelSurface {
public:
    PixelView() = default;
    // rowStride is in pixels. A buffer too small for the requested rows and columns, or a
    // stride smaller than the width, gives an empty view that paints nothing.
    PixelView(std::span<std::uint32_t> pixels, int width, int height, int rowStride,
              PixelOrder order = PixelOrder::kColourValue);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRect(const Rect& rect, Colour colour) override;
    Colour GetPixel(int x, int y) const override;
    void SetPixel(int x, int y, Colour colour) override;

private:
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::uint32_t Encode(Colour colour) const;
    Colour Decode(std::uint32_t pixel) const;

    std::span<std::uint32_t> pixels_;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    PixelOrder order_ = PixelOrder::kColourValue;
};

// Owns width x height pixels in Colour order, row after row without padding.
class MemorySurface final : public PixelSurface {
public:
    // Negative sizes count as 0; sizes above kMaxSurfaceSide are cut down to it.
    MemorySurface(int width, int height, Colour fill = 0);
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    int Width() const override { return view_.Width(); }
    int Height() const override { return view_.Height(); }
    void FillRect(const Rect& rect, Colour colour) override { view_.FillRect(rect, colour); }
    Colour GetPixel(int x, int y) const override { return view_.GetPixel(x, y); }
    void SetPixel(int x, int y, Colour colour) override { view_.SetPixel(x, y, colour); }

    std::span<const std::uint32_t> Pixels() const { return pixels_; }

private:
    std::vector<std::uint32_t> pixels_;
    PixelView view_;
};

}  // namespace torvik

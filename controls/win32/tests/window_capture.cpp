#include "controls/win32/tests/window_capture.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/win32/win_handle.h"

namespace torvik::win32::testing {

WindowPicture WindowPicture::Of(HWND window) {
    WindowPicture picture;
    RECT client{};
    if (window == nullptr || GetClientRect(window, &client) == FALSE) {
        return picture;
    }
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) {
        return picture;
    }

    WindowDc source(window);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc memory(CreateCompatibleDC(source.Get()));
    if (source.Get() == nullptr || !bitmap || !memory || bits == nullptr) {
        return picture;
    }
    {
        SelectGuard selected(memory.Get(), bitmap.Get());
        if (BitBlt(memory.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY) == FALSE) {
            return picture;
        }
        GdiFlush();
    }
    const auto* dib = static_cast<const std::uint32_t*>(bits);
    picture.width_ = width;
    picture.height_ = height;
    picture.pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::transform(dib, dib + picture.pixels_.size(), picture.pixels_.begin(),
                   [](std::uint32_t bgrx) {
                       return Rgb(static_cast<int>((bgrx >> 16) & 0xFF),
                                  static_cast<int>((bgrx >> 8) & 0xFF),
                                  static_cast<int>(bgrx & 0xFF));
                   });
    return picture;
}

Colour WindowPicture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kNoColour;
    }
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

int WindowPicture::Count(Colour colour, int left, int top, int right, int bottom) const {
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
            count += At(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

bool WindowPicture::SaveBmp(const std::string& path) const {
    if (Empty()) {
        return false;
    }
    const int rowBytes = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = height_;  // bottom-up rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rowBytes * height_);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;

    std::unique_ptr<std::FILE, decltype(&std::fclose)> out(std::fopen(path.c_str(), "wb"),
                                                            &std::fclose);
    if (!out) {
        return false;
    }
    bool ok = std::fwrite(&file, sizeof(file), 1, out.get()) == 1 &&
              std::fwrite(&info, sizeof(info), 1, out.get()) == 1;
    std::vector<unsigned char> row(static_cast<std::size_t>(rowBytes), 0);
    for (int y = height_ - 1; ok && y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Colour c = At(x, y);
            const auto at = static_cast<std::size_t>(x) * 3;
            row[at] = static_cast<unsigned char>(BlueOf(c));
            row[at + 1] = static_cast<unsigned char>(GreenOf(c));
            row[at + 2] = static_cast<unsigned char>(RedOf(c));
        }
        ok = std::fwrite(row.data(), row.size(), 1, out.get()) == 1;
    }
    return ok;
}

}  // namespace torvik::win32::testing

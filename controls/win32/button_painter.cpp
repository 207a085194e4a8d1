#include "controls/win32/button_painter.h"

#include <span>
#include <string>
#include <utility>

// windows.h maps DrawText to DrawTextA; the canvas's own DrawText must keep its name here.
#undef DrawText
#include "controls/button_paint.h"
#include "controls/memory_surface.h"
#include "controls/win32/my_button.h"
#include "controls/win32/skin_resources.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_handle.h"
#include "platform/win32/window.h"

namespace torvik::win32 {

UINT DrawTextFormat(TextLayout layout) {
    switch (layout) {
    case TextLayout::kWrapped:
        return DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    case TextLayout::kOneLine:
    default:
        return DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    }
}

ButtonState FaceStateOf(const MyButton& button) {
    ButtonWindowFacts window;
    window.imageWidth = button.imageList ? button.imageWidth : 0;
    window.imageHeight = button.imageList ? button.imageHeight : 0;
    HWND hwnd = button.Handle();
    window.enabled = IsWindowEnabled(hwnd) != FALSE;
    window.multiline = (GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_MULTILINE) != 0;
    window.caption = WindowTextUtf8(hwnd);
    // The cue shows only on the focused button, and only once the window shows focus cues:
    // the window system hides them until the keyboard is used (WM_UPDATEUISTATE).
    window.focusCue = hwnd != nullptr && GetFocus() == hwnd &&
                      (SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
    return FaceStateOf(static_cast<const ButtonFields&>(button), std::move(window));
}

namespace {

// The pixels of a top-down 32-bit DIB section. GDI batches its drawing, so the pixels are
// flushed before every direct access that follows text or image output.
class DibSurface final : public PixelSurface {
public:
    DibSurface(std::uint32_t* bits, int width, int height)
        : view_(std::span<std::uint32_t>(bits, static_cast<std::size_t>(width) * height), width,
                height, width, PixelOrder::kBgrx) {}

    void MarkGdiDrawn() { gdiPending_ = true; }

    int Width() const override { return view_.Width(); }
    int Height() const override { return view_.Height(); }
    void FillRect(const Rect& rect, Colour colour) override {
        Flush();
        view_.FillRect(rect, colour);
    }
    Colour GetPixel(int x, int y) const override {
        Flush();
        return view_.GetPixel(x, y);
    }
    void SetPixel(int x, int y, Colour colour) override {
        Flush();
        view_.SetPixel(x, y, colour);
    }

private:
    void Flush() const {
        if (gdiPending_) {
            GdiFlush();
            gdiPending_ = false;
        }
    }

    PixelView view_;
    mutable bool gdiPending_ = false;
};

// Text is drawn with a transparent background; the context's previous mode and text colour
// come back when the paint is done.
class GdiButtonCanvas final : public ButtonCanvas {
public:
    GdiButtonCanvas(HDC dc, DibSurface& surface, const MyButton& button)
        : dc_(dc), surface_(surface), button_(button), previousMode_(SetBkMode(dc, TRANSPARENT)),
          previousColour_(GetTextColor(dc)) {}
    ~GdiButtonCanvas() override {
        SetTextColor(dc_, previousColour_);
        if (previousMode_ != 0) {
            SetBkMode(dc_, previousMode_);
        }
    }
    GdiButtonCanvas(const GdiButtonCanvas&) = delete;
    GdiButtonCanvas& operator=(const GdiButtonCanvas&) = delete;

    PixelSurface& Surface() override { return surface_; }

    void DrawText(std::string_view text, const Rect& rect, TextLayout layout, Colour colour,
                  FontChoice font) override {
        RECT area{rect.left, rect.top, rect.right, rect.bottom};
        SelectGuard selected(dc_, FontFor(font));
        SetTextColor(dc_, static_cast<COLORREF>(colour));
        const std::wstring wide = WideFromUtf8(text);
        ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area, DrawTextFormat(layout));
        surface_.MarkGdiDrawn();
    }

    int MeasureTextHeight(std::string_view text, const Rect& rect, FontChoice font) override {
        RECT area{rect.left, rect.top, rect.right, rect.bottom};
        SelectGuard selected(dc_, FontFor(font));
        const std::wstring wide = WideFromUtf8(text);
        return ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area, DT_CALCRECT);
    }

    void DrawImage(Point topLeft) override {
        if (button_.imageList) {
            // The list's background colour is CLR_NONE, so the normal style leaves the masked
            // pixels untouched.
            ImageList_Draw(button_.imageList.Get(), 0, dc_, topLeft.x, topLeft.y, ILD_NORMAL);
            surface_.MarkGdiDrawn();
        }
    }

private:
    HGDIOBJ FontFor(FontChoice font) const {
        if (HFONT shared = SharedFont(font); shared != nullptr) {
            return shared;
        }
        // Before the shared fonts exist: the font the dialog gave the control.
        auto own = reinterpret_cast<HFONT>(SendMessageA(button_.Handle(), WM_GETFONT, 0, 0));
        return own != nullptr ? static_cast<HGDIOBJ>(own) : GetStockObject(DEFAULT_GUI_FONT);
    }

    HDC dc_;
    DibSurface& surface_;
    const MyButton& button_;
    int previousMode_;
    COLORREF previousColour_;
};

}  // namespace

void PaintButton(HDC dc, RECT face, const MyButton& button) {
    const int width = face.right - face.left;
    const int height = face.bottom - face.top;
    if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) {
        return;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!bitmap || !memory || bits == nullptr) {
        return;
    }

    {
        SelectGuard selected(memory.Get(), bitmap.Get());
        DibSurface surface(static_cast<std::uint32_t*>(bits), width, height);
        GdiButtonCanvas canvas(memory.Get(), surface, button);
        PaintButton(canvas, FaceStateOf(button), Rect{0, 0, width, height},
                    SharedSkinResources().palette);
        GdiFlush();
        BitBlt(dc, face.left, face.top, width, height, memory.Get(), 0, 0, SRCCOPY);
    }
}

}  // namespace torvik::win32

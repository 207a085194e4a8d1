// Tests of the skinned buttons' face as Windows paints it: the real dialogs of the program's
// resources, their buttons attached as MyButtons, driven by window messages, and the pixels
// read back from the windows after painting. Run as a Windows program (under Wine on the build
// machine). When TORVIK_SCREENSHOTS names a folder, each state's picture of the dialog is
// written there as a BMP file.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

// windows.h maps DrawText to DrawTextA; the paint core's canvas keeps its own name here.
#undef DrawText
#include "controls/button_paint.h"
#include "controls/colour.h"
#include "controls/gloss.h"
#include "controls/memory_surface.h"
#include "controls/win32/button_painter.h"
#include "controls/win32/my_button.h"
#include "controls/win32/skin_resources.h"
#include "controls/win32/tests/gdi_count.h"
#include "controls/win32/tests/skinned_dialog.h"
#include "controls/win32/tests/window_capture.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_handle.h"
#include "res/resource.h"

namespace {

using namespace torvik;
using namespace torvik::win32;
using namespace torvik::win32::testing;

std::string g_screenshots;

// A failure reported at the line of the helper's caller.
void ExpectAt(bool ok, const std::string& what, int line) {
    if (!ok) {
        ADD_FAILURE_AT(__FILE__, line) << what;
    }
}

std::string Hex(Colour c) {
    char text[16];
    std::snprintf(text, sizeof(text), "%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

// "(x, y) expected RRGGBB seen RRGGBB"
std::string PixelReport(int x, int y, Colour expected, Colour seen) {
    char text[64];
    std::snprintf(text, sizeof(text), "(%d, %d) expected %s seen %s", x, y, Hex(expected).c_str(),
                  Hex(seen).c_str());
    return text;
}

// Compares one pixel and names both colours when they differ.
void CheckPixel(const WindowPicture& picture, int x, int y, Colour expected,
                const std::string& what, int line) {
    const Colour seen = picture.At(x, y);
    ExpectAt(seen == expected, what + " " + PixelReport(x, y, expected, seen), line);
}
#define CHECK_PIXEL(picture, x, y, colour, what) CheckPixel(picture, x, y, colour, what, __LINE__)

const SkinPalette& Palette() { return SharedSkinResources().palette; }

Colour Lift(Colour c) { return AdjustLightness(c, 0.05); }

void Screenshot(HWND window, const std::string& name) {
    if (g_screenshots.empty()) {
        return;
    }
    const std::string path = g_screenshots + "\\" + name + ".bmp";
    if (!WindowPicture::Of(window).SaveBmp(path)) {
        std::printf("note: could not write %s\n", path.c_str());
    }
}

void Repaint(const MyButton& button) {
    RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void MoveOnto(const MyButton& button, WPARAM keys = 0) {
    SendMessageA(button.Handle(), WM_MOUSEMOVE, keys, MAKELPARAM(3, 3));
}

void MoveOff(const MyButton& button, WPARAM keys = 0) {
    SendMessageA(button.Handle(), WM_MOUSEMOVE, keys, MAKELPARAM(5000, 5000));
}

// --- what the face should be --------------------------------------------------------------

// The ramp colour index that the gloss gradient leaves in row y of its rectangle (a later band
// paints over an earlier one); -1 when no band reaches the row.
int GlossIndexOfRow(const Rect& rect, int y) {
    const int h = rect.bottom - rect.top - 1;
    const auto rowOf = [&](int a) { return rect.bottom - a * h / 32; };
    int index = -1;
    for (int i = 0; i < kGlossRampSteps; ++i) {
        if (rowOf(i + 1) < rect.top + 2) {
            break;
        }
        if (y >= rowOf(i + 1) && y < rowOf(i)) {
            index = i;
        }
    }
    for (int k = 0; k < 20; ++k) {
        if (y >= rowOf(17 + k) && y < rowOf(16 + k)) {
            index = 24 + k;
        }
    }
    return index;
}

// The face that the plan gives for everything but the caption and the image: the background,
// and over it the frame and the arrow.
struct ExpectedFace {
    ButtonPaintPlan plan;
    std::string caption;
    MemorySurface background;
    MemorySurface overlay;     // kOverlayNone where the frame and the arrow leave the background
    Rect image;                // where the image goes, empty without one
    Rect captionInk;           // a box round the caption's text, empty without one

    static constexpr Colour kOverlayNone = 0xFF000000u;

    ExpectedFace(const MyButton& button, int width, int height)
        : background(width, height), overlay(width, height, kOverlayNone) {
        const ButtonState state = FaceStateOf(button);
        caption = state.caption;
        plan = PlanButtonPaint(state, Rect{0, 0, width, height}, Palette());
        PaintBackground(background, plan.background);
        PaintFrame(overlay, plan.frame);
        if (plan.arrow) {
            PaintDropArrow(overlay, *plan.arrow);
        }
        if (plan.imageAt) {
            image = {plan.imageAt->x, plan.imageAt->y, plan.imageAt->x + state.imageWidth,
                     plan.imageAt->y + state.imageHeight};
        }
        captionInk = InkBox(button.Handle());
    }

    // The caption's text extent centred in the caption rectangle, with a margin for the glyphs'
    // overhang and for the disabled copy one pixel right and down.
    Rect InkBox(HWND hwnd) const {
        if (caption.empty()) {
            return {};
        }
        if (plan.measureCaption) {
            return plan.caption.rect;  // wrapped: anywhere in the caption's rectangle
        }
        WindowDc dc(hwnd);
        SelectGuard font(dc.Get(), SharedFont(plan.font));
        SIZE size{};
        const std::wstring wide = WideFromUtf8(caption);
        GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        const Rect& t = plan.caption.rect;
        const int left = std::max(t.left, t.left + (t.Width() - static_cast<int>(size.cx)) / 2);
        const int right = std::min(t.right, left + static_cast<int>(size.cx));
        const int top = t.top + (t.Height() - static_cast<int>(size.cy)) / 2;
        const int extra = plan.disabledCopy ? 1 : 0;
        return {left - 2, top - 1, right + 2 + extra, top + static_cast<int>(size.cy) + 1 + extra};
    }

    static bool Inside(const Rect& r, int x, int y) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    }

    // The expected colour at (x, y), or nothing where the caption or the image decide.
    std::optional<Colour> At(int x, int y) const {
        if (const Colour over = overlay.GetPixel(x, y); over != kOverlayNone) {
            return over;
        }
        if (Inside(captionInk, x, y) || Inside(image, x, y)) {
            return std::nullopt;
        }
        return background.GetPixel(x, y);
    }

    // Pixels outside the caption and the image that differ from the plan.
    int Mismatches(const WindowPicture& picture, std::string& first) const {
        int count = 0;
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                const std::optional<Colour> expected = At(x, y);
                if (expected && *expected != picture.At(x, y)) {
                    if (count++ == 0) {
                        first = PixelReport(x, y, *expected, picture.At(x, y));
                    }
                }
            }
        }
        return count;
    }
};

// The whole face outside the caption and the image is what the plan paints.
void CheckFaceFollowsPlan(const MyButton& button, const WindowPicture& picture,
                          const std::string& what, int line) {
    const ExpectedFace expected(button, picture.Width(), picture.Height());
    std::string first;
    const int mismatches = expected.Mismatches(picture, first);
    ExpectAt(mismatches == 0,
          what + ": " + std::to_string(mismatches) + " pixels differ from the plan, first " + first,
          line);
}
#define CHECK_FACE(button, picture, what) CheckFaceFollowsPlan(button, picture, what, __LINE__)

// A gradient-look face with the rounded frame: cut-off corners in the face colour, the
// outline and the pixels diagonally inside the corners in the highlight, and the gradient's
// inner bottom and top rows in the ramp colours of the lightened bottom and top colours.
void CheckRaisedFace(const WindowPicture& picture, Colour bottom, Colour top,
                     const std::string& what, int line) {
    const SkinPalette& p = Palette();
    const int w = picture.Width();
    const int h = picture.Height();
    for (const POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}}) {
        CheckPixel(picture, corner.x, corner.y, p.faceColor, what + ", corner", line);
    }
    for (const POINT edge : {POINT{w / 2, 0}, POINT{0, h / 2}, POINT{w - 1, h / 2},
                             POINT{w / 2, h - 1}, POINT{1, 1}, POINT{w - 2, 1}, POINT{1, h - 2},
                             POINT{w - 2, h - 2}}) {
        CheckPixel(picture, edge.x, edge.y, p.highlightColor, what + ", frame", line);
    }
    const Rect inner{1, 1, w - 1, h - 1};
    CheckPixel(picture, w / 2, h - 2,
               GlossRampColour(Lift(bottom), Lift(top), GlossIndexOfRow(inner, h - 2)),
               what + ", gradient's bottom row", line);
    CheckPixel(picture, w / 2, 1,
               GlossRampColour(Lift(bottom), Lift(top), GlossIndexOfRow(inner, 1)),
               what + ", gradient's top row", line);
}
#define CHECK_RAISED(picture, bottom, top, what) \
    CheckRaisedFace(picture, bottom, top, what, __LINE__)

// Left, right and horizontal middle of the pixels of one colour within a box; -1 without any.
struct InkExtent {
    int left = -1;
    int right = -1;
    int Middle() const { return (left + right) / 2; }
};

InkExtent InkOf(const WindowPicture& picture, Colour colour, const Rect& box) {
    InkExtent ink;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            if (picture.At(x, y) == colour) {
                ink.left = ink.left < 0 ? x : std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
            }
        }
    }
    return ink;
}

// The pixels of a bitmap resource as the button loads it (3-D greys mapped), top row first.
struct BitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;

    Colour At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }

    static BitmapPixels Load(UINT id) {
        BitmapPixels result;
        BitmapHandle bitmap(static_cast<HBITMAP>(
            LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                       LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS)));
        BITMAP info{};
        if (!bitmap || GetObjectA(bitmap.Get(), sizeof(info), &info) != sizeof(info)) {
            return result;
        }
        BITMAPINFO header{};
        header.bmiHeader.biSize = sizeof(header.bmiHeader);
        header.bmiHeader.biWidth = info.bmWidth;
        header.bmiHeader.biHeight = -info.bmHeight;
        header.bmiHeader.biPlanes = 1;
        header.bmiHeader.biBitCount = 32;
        header.bmiHeader.biCompression = BI_RGB;
        std::vector<std::uint32_t> bgrx(static_cast<std::size_t>(info.bmWidth) *
                                        static_cast<std::size_t>(info.bmHeight));
        WindowDc screen(nullptr);
        if (GetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(info.bmHeight),
                      bgrx.data(), &header, DIB_RGB_COLORS) != info.bmHeight) {
            return result;
        }
        result.width = info.bmWidth;
        result.height = info.bmHeight;
        for (const std::uint32_t p : bgrx) {
            result.pixels.push_back(Rgb(static_cast<int>((p >> 16) & 0xFF),
                                        static_cast<int>((p >> 8) & 0xFF),
                                        static_cast<int>(p & 0xFF)));
        }
        return result;
    }
};

constexpr Colour kMagenta = Rgb(255, 0, 255);

// Every pixel of the image that lies within the face shows the bitmap's pixel there, or what
// is behind the image where the bitmap is magenta; the frame, drawn later, is left out.
void CheckImage(const MyButton& button, const WindowPicture& picture, const BitmapPixels& bitmap,
                const std::string& what, int line) {
    const ExpectedFace expected(button, picture.Width(), picture.Height());
    if (!expected.plan.imageAt || bitmap.pixels.empty()) {
        ExpectAt(false, what + ": no image planned or no bitmap", line);
        return;
    }
    const Point at = *expected.plan.imageAt;
    int wrong = 0;
    int transparent = 0;
    std::string first;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const int px = at.x + x;
            const int py = at.y + y;
            if (px < 0 || py < 0 || px >= picture.Width() || py >= picture.Height() ||
                expected.overlay.GetPixel(px, py) != ExpectedFace::kOverlayNone) {
                continue;
            }
            const bool masked = bitmap.At(x, y) == kMagenta;
            transparent += masked ? 1 : 0;
            const Colour want = masked ? expected.background.GetPixel(px, py) : bitmap.At(x, y);
            if (picture.At(px, py) != want && wrong++ == 0) {
                first = PixelReport(px, py, want, picture.At(px, py));
            }
        }
    }
    ExpectAt(wrong == 0, what + ": " + std::to_string(wrong) + " image pixels wrong, first " + first,
          line);
    ExpectAt(picture.Count(kMagenta, 0, 0, picture.Width(), picture.Height()) == 0,
          what + ": magenta shows", line);
    (void)transparent;
}
#define CHECK_IMAGE(button, picture, bitmap, what) \
    CheckImage(button, picture, bitmap, what, __LINE__)

// --- the main window ----------------------------------------------------------------------

struct MainWindow {
    SkinnedDialog dialog{IDD_TORVIK_DIALOG};

    MainWindow() {
        if (!dialog.Exists()) {
            return;
        }
        DressMainWindow(dialog);
        // As while a box is present in switch mode with antenna 1 on.
        Button(IDC_ANTENNA1).SetChecked(1, false);
        Button(IDC_SWITCH_RADIO).SetChecked(1, false);
        dialog.ShowAt(20, 20);
    }

    MyButton& Button(int id) const { return *dialog.Button(id); }
};

bool MainWindowComplete(const MainWindow& window);

// The program's main window, made once and dressed as the program dresses it, for every case.
class MainWindowPaint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetResourceInstance(GetModuleHandleA(nullptr));
        if (const char* folder = std::getenv("TORVIK_SCREENSHOTS"); folder != nullptr) {
            g_screenshots = folder;
            CreateDirectoryA(g_screenshots.c_str(), nullptr);
        }
        // Keep the real pointer away from the windows, so only the test's messages move it.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) / 2);
        shared_ = new MainWindow;
    }
    static void TearDownTestSuite() {
        delete shared_;
        shared_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(shared_->dialog.Exists());
        ASSERT_TRUE(MainWindowComplete(*shared_));
    }

    const MainWindow& window = *shared_;

private:
    static inline MainWindow* shared_ = nullptr;
};

bool MainWindowComplete(const MainWindow& window) {
    for (const int id : {IDC_BANNER, IDC_SWITCH_RADIO, IDC_MIXER_RADIO, IDC_SETUP, IDC_MANUAL,
                         IDC_ANTENNA1, IDC_ANTENNA2, IDC_ANTENNA3, IDC_EXIT, IDOK}) {
        if (window.dialog.Button(id) == nullptr) {
            return false;
        }
    }
    return true;
}

TEST_F(MainWindowPaint, RaisedButtonStates) {
    const SkinPalette& p = Palette();
    MyButton& button = window.Button(IDC_ANTENNA2);
    Screenshot(window.dialog.Handle(), "main-idle");

    // Idle: raised, dark at the bottom and light at the top; caption in the text colour.
    WindowPicture idle = WindowPicture::Of(button.Handle());
    EXPECT_TRUE(!idle.Empty());
    CHECK_RAISED(idle, p.shadowColor, p.lightColor, "idle");
    CHECK_FACE(button, idle, "idle");
    EXPECT_TRUE(idle.Count(p.textSysColor, 0, 0, idle.Width(), idle.Height()) > 0) << "idle caption";
    EXPECT_TRUE(idle.Count(kWhite, 0, 0, idle.Width(), idle.Height()) == 0) << "idle caption";

    // Under the pointer the gradient turns over.
    MoveOnto(button);
    EXPECT_TRUE(button.hover == 1);
    WindowPicture hover = WindowPicture::Of(button.Handle());
    Screenshot(window.dialog.Handle(), "main-hover-antenna2");
    CHECK_RAISED(hover, p.lightColor, p.shadowColor, "hover");
    CHECK_FACE(button, hover, "hover");

    // Held down under the pointer: the same turned-over gradient.
    MoveOnto(button, MK_LBUTTON);
    EXPECT_TRUE(button.pressed == 1);
    CHECK_RAISED(WindowPicture::Of(button.Handle()), p.lightColor, p.shadowColor, "pressed");
    SendMessageA(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    MoveOff(button);
    EXPECT_TRUE(button.hover == 0 && button.pressed == 0);
    CHECK_RAISED(WindowPicture::Of(button.Handle()), p.shadowColor, p.lightColor, "left again");

    // Checked: shadow to dark shadow with a white caption.
    button.SetChecked(1, true);
    WindowPicture checked = WindowPicture::Of(button.Handle());
    Screenshot(window.dialog.Handle(), "main-antenna2-checked");
    CHECK_RAISED(checked, p.shadowColor, p.darkShadowColor, "checked");
    CHECK_FACE(button, checked, "checked");
    EXPECT_TRUE(checked.Count(kWhite, 0, 0, checked.Width(), checked.Height()) > 0) << "checked caption";
    EXPECT_TRUE(checked.Count(p.textSysColor, 2, 2, checked.Width() - 2, checked.Height() - 2) == 0) << "checked caption";

    // Checked under the pointer: dark shadow at the bottom, shadow at the top.
    MoveOnto(button);
    CHECK_RAISED(WindowPicture::Of(button.Handle()), p.darkShadowColor, p.shadowColor,
                 "checked, hover");
    // Checked, held down under the pointer: the unchecked look under the pointer.
    MoveOnto(button, MK_LBUTTON);
    WindowPicture checkedPressed = WindowPicture::Of(button.Handle());
    CHECK_RAISED(checkedPressed, p.lightColor, p.shadowColor, "checked, pressed");
    CHECK_FACE(button, checkedPressed, "checked, pressed");
    SendMessageA(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    MoveOff(button);
    button.SetChecked(0, true);
}

TEST_F(MainWindowPaint, DisabledButton) {
    const SkinPalette& p = Palette();
    MyButton& button = window.Button(IDC_SETUP);

    const WindowPicture enabled = WindowPicture::Of(button.Handle());
    const Rect box = ExpectedFace(button, enabled.Width(), enabled.Height()).captionInk;
    EXPECT_TRUE(enabled.Count(p.highlightColor, box.left, box.top, box.right, box.bottom) == 0) << "enabled caption has no highlight copy";

    EnableWindow(button.Handle(), FALSE);
    const WindowPicture disabled = WindowPicture::Of(button.Handle());
    Screenshot(window.dialog.Handle(), "main-setup-disabled");
    CHECK_RAISED(disabled, p.shadowColor, p.lightColor, "disabled");
    CHECK_FACE(button, disabled, "disabled");
    const InkExtent dark = InkOf(disabled, p.darkShadowColor, box);
    const InkExtent lit = InkOf(disabled, p.highlightColor, box);
    EXPECT_TRUE(dark.left >= 0) << "disabled caption in dark shadow";
    EXPECT_TRUE(lit.left >= 0) << "disabled caption's highlight copy";
    // The copy lies one pixel right of and below the caption: a pixel that shows the copy's
    // colour fully has the caption's colour fully one pixel up and left. Glyph edges are
    // blended, and a blend over the light gradient can come out as the highlight itself, so a
    // few lit pixels may lack their partner.
    int litPixels = 0;
    int paired = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            if (disabled.At(x, y) == p.highlightColor) {
                ++litPixels;
                paired += disabled.At(x - 1, y - 1) == p.darkShadowColor ? 1 : 0;
            }
        }
    }
    EXPECT_TRUE(litPixels >= 5 && paired * 10 >= litPixels * 9) << "highlight copy offset (1, 1): " + std::to_string(paired) + " of " +
                   std::to_string(litPixels) + " lit pixels have the caption up and left";
    if (p.darkShadowColor != p.textSysColor) {
        EXPECT_TRUE(disabled.Count(p.textSysColor, box.left, box.top, box.right, box.bottom) == 0) << "no caption in the text colour while disabled";
    }

    EnableWindow(button.Handle(), TRUE);
    const WindowPicture again = WindowPicture::Of(button.Handle());
    EXPECT_TRUE(again.Count(p.highlightColor, box.left, box.top, box.right, box.bottom) == 0) << "enabled again";
}

TEST_F(MainWindowPaint, FlatBanner) {
    const SkinPalette& p = Palette();
    MyButton& banner = window.Button(IDC_BANNER);
    EXPECT_TRUE(banner.look.lookStyle == 1 && banner.look.frameStyle == 2 && banner.look.imageAlign == 3);
    EXPECT_TRUE(banner.imageWidth == 376 && banner.imageHeight == 52);
    const BitmapPixels bitmap = BitmapPixels::Load(IDR_BANNER);
    const Colour darker = AdjustLightness(p.faceColor, -0.07);

    // The picture is centred on the face and drawn at full size, cut by the face's edges.
    const WindowPicture idle = WindowPicture::Of(banner.Handle());
    CHECK_IMAGE(banner, idle, bitmap, "banner idle");
    CHECK_FACE(banner, idle, "banner idle");
    const ExpectedFace plan(banner, idle.Width(), idle.Height());
    EXPECT_TRUE(plan.plan.background.flatColour == p.faceColor);

    MoveOnto(banner);
    const WindowPicture hover = WindowPicture::Of(banner.Handle());
    EXPECT_TRUE(ExpectedFace(banner, hover.Width(), hover.Height()).plan.background.flatColour == darker);
    CHECK_IMAGE(banner, hover, bitmap, "banner hover");
    CHECK_FACE(banner, hover, "banner hover");
    MoveOff(banner);

    // Checked with frameStyle 2: sunken, dark shadow top and left, highlight bottom and right.
    banner.SetChecked(1, true);
    const WindowPicture checked = WindowPicture::Of(banner.Handle());
    Screenshot(window.dialog.Handle(), "main-banner-checked");
    const int w = checked.Width();
    const int h = checked.Height();
    CHECK_PIXEL(checked, 0, 0, p.darkShadowColor, "sunken frame, top left");
    CHECK_PIXEL(checked, w - 2, 0, p.darkShadowColor, "sunken frame, top");
    CHECK_PIXEL(checked, 0, h - 2, p.darkShadowColor, "sunken frame, left");
    CHECK_PIXEL(checked, w - 1, 0, p.highlightColor, "sunken frame, top right");
    CHECK_PIXEL(checked, w - 1, h / 2, p.highlightColor, "sunken frame, right");
    CHECK_PIXEL(checked, w / 2, h - 1, p.highlightColor, "sunken frame, bottom");
    CHECK_PIXEL(checked, 0, h - 1, p.highlightColor, "sunken frame, bottom left");
    CHECK_IMAGE(banner, checked, bitmap, "banner checked");
    CHECK_FACE(banner, checked, "banner checked");

    // Checked under the pointer: the plain face colour again, still sunken.
    MoveOnto(banner);
    const WindowPicture checkedHover = WindowPicture::Of(banner.Handle());
    EXPECT_TRUE(ExpectedFace(banner, w, h).plan.background.flatColour == p.faceColor);
    CHECK_PIXEL(checkedHover, 0, 0, p.darkShadowColor, "sunken frame under the pointer");
    CHECK_FACE(banner, checkedHover, "banner checked, hover");
    MoveOff(banner);
    banner.SetChecked(0, true);

    // Without its picture the flat fill shows everywhere: the face colour when idle, the
    // darker face under the pointer, and no frame while unchecked.
    banner.SetImage(0, 3);
    const WindowPicture plain = WindowPicture::Of(banner.Handle());
    EXPECT_TRUE(plain.Count(p.faceColor, 0, 0, w, h) == w * h) << "flat idle face";
    MoveOnto(banner);
    const WindowPicture plainHover = WindowPicture::Of(banner.Handle());
    Screenshot(window.dialog.Handle(), "main-banner-plain-hover");
    EXPECT_TRUE(plainHover.Count(darker, 0, 0, w, h) == w * h) << "flat face under the pointer";
    MoveOff(banner);
    banner.SetChecked(1, true);
    const WindowPicture plainChecked = WindowPicture::Of(banner.Handle());
    EXPECT_TRUE(plainChecked.Count(darker, 1, 1, w - 1, h - 1) == (w - 2) * (h - 2)) << "flat checked face";
    MoveOnto(banner);
    const WindowPicture plainCheckedHover = WindowPicture::Of(banner.Handle());
    EXPECT_TRUE(plainCheckedHover.Count(p.faceColor, 1, 1, w - 1, h - 1) == (w - 2) * (h - 2)) << "flat checked face under the pointer";
    MoveOff(banner);
    banner.SetChecked(0, true);
    banner.SetImage(IDR_BANNER, 3);
}

TEST_F(MainWindowPaint, ManualButton) {
    const SkinPalette& p = Palette();
    MyButton& manual = window.Button(IDC_MANUAL);
    EXPECT_TRUE(manual.imageWidth == 24 && manual.imageHeight == 19);
    const BitmapPixels bitmap = BitmapPixels::Load(IDB_MANUAL_IMAGE);
    EXPECT_TRUE(bitmap.width == 24 && bitmap.height == 19);

    const WindowPicture picture = WindowPicture::Of(manual.Handle());
    const ExpectedFace expected(manual, picture.Width(), picture.Height());
    EXPECT_TRUE(expected.plan.imageAt.has_value());
    if (expected.plan.imageAt) {
        EXPECT_TRUE(expected.plan.imageAt->x == 5);
        EXPECT_TRUE(expected.plan.imageAt->y == std::max(0, (picture.Height() - 19) / 2));
    }
    CHECK_IMAGE(manual, picture, bitmap, "Manual");
    CHECK_FACE(manual, picture, "Manual");

    // The caption is centred between the image (x = 5 + 24 + 1) and the right edge less 1.
    const Rect right{5 + 24 + 1, 2, picture.Width() - 1, picture.Height() - 2};
    const InkExtent ink = InkOf(picture, p.textSysColor, right);
    EXPECT_TRUE(ink.left > 5 + 24) << "caption right of the image";
    const int middle = (right.left + right.right) / 2;
    EXPECT_TRUE(std::abs(ink.Middle() - middle) <= 2) << "caption centred: ink middle " + std::to_string(ink.Middle()) + ", room middle " +
                   std::to_string(middle);

    // In the bold font: the caption's ink is as wide as the bold text, not the normal one.
    const auto textWidth = [&](FontChoice font) {
        WindowDc dc(manual.Handle());
        SelectGuard selected(dc.Get(), SharedFont(font));
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), "Manual", 6, &size);
        return static_cast<int>(size.cx);
    };
    const int inkWidth = ink.right - ink.left + 1;
    const int bold = textWidth(FontChoice::kBold);
    const int normal = textWidth(FontChoice::kNormal);
    EXPECT_TRUE(bold != normal && std::abs(inkWidth - bold) < std::abs(inkWidth - normal)) << "Manual caption in bold: ink " + std::to_string(inkWidth) + ", bold " +
                   std::to_string(bold) + ", normal " + std::to_string(normal);

    MoveOnto(manual);
    const WindowPicture hover = WindowPicture::Of(manual.Handle());
    Screenshot(window.dialog.Handle(), "main-manual-hover");
    CHECK_IMAGE(manual, hover, bitmap, "Manual hover");
    MoveOff(manual);
}

// The face covers every pixel: what was on screen before is gone after one paint, and the
// erase-background message paints nothing. A gradient look without a frame gives its outer
// ring the dialog's face colour.
TEST_F(MainWindowPaint, FaceCoversEveryPixel) {
    const SkinPalette& p = Palette();
    MyButton& button = window.Button(IDC_ANTENNA3);
    RECT client{};
    GetClientRect(button.Handle(), &client);
    const auto fillMagenta = [&] {
        WindowDc dc(button.Handle());
        BrushHandle brush(CreateSolidBrush(kMagenta));
        FillRect(dc.Get(), &client, brush.Get());
        return dc.Get() != nullptr;
    };

    EXPECT_TRUE(fillMagenta());
    {
        WindowDc dc(button.Handle());
        EXPECT_TRUE(SendMessageA(button.Handle(), WM_ERASEBKGND,
                           reinterpret_cast<WPARAM>(dc.Get()), 0) == 1);
    }
    const WindowPicture erased = WindowPicture::Of(button.Handle());
    EXPECT_TRUE(erased.Count(kMagenta, 0, 0, erased.Width(), erased.Height()) ==
                   erased.Width() * erased.Height()) << "erasing paints nothing";

    Repaint(button);
    const WindowPicture painted = WindowPicture::Of(button.Handle());
    EXPECT_TRUE(painted.Count(kMagenta, 0, 0, painted.Width(), painted.Height()) == 0) << "raised look with frame";

    button.look.frameStyle = 1;
    EXPECT_TRUE(fillMagenta());
    Repaint(button);
    const WindowPicture frameless = WindowPicture::Of(button.Handle());
    Screenshot(window.dialog.Handle(), "main-antenna3-frameless");
    const int w = frameless.Width();
    const int h = frameless.Height();
    EXPECT_TRUE(frameless.Count(kMagenta, 0, 0, w, h) == 0) << "raised look without frame";
    // The ring's bottom row and sides keep the face colour; the top row is where the last
    // gloss bands reach.
    EXPECT_TRUE(frameless.Count(p.faceColor, 0, h - 1, w, h) == w) << "ring, bottom row";
    EXPECT_TRUE(frameless.Count(p.faceColor, 0, 1, 1, h) == h - 1) << "ring, left column";
    EXPECT_TRUE(frameless.Count(p.faceColor, w - 1, 1, w, h) == h - 1) << "ring, right column";
    CHECK_FACE(button, frameless, "frameless");
    button.look.frameStyle = 0;
    Repaint(button);
}

TEST_F(MainWindowPaint, NoGdiObjectsLeak) {
    const int start = GdiObjectCount();
    std::printf("GDI objects counted by %s: %d\n", GdiCountSource(), start);
    EXPECT_TRUE(start > 0) << "the GDI object count can be read";
    if (start <= 0) {
        return;
    }
    // The counter sees objects come and go, so a leak could not hide from it.
    {
        std::vector<BrushHandle> brushes;
        for (int i = 0; i < 5; ++i) {
            brushes.emplace_back(CreateSolidBrush(RGB(i, 2 * i, 3 * i)));
        }
        const int withBrushes = GdiObjectCount();
        EXPECT_TRUE(withBrushes == start + 5) << "five brushes counted: " + std::to_string(withBrushes);
    }
    EXPECT_TRUE(GdiObjectCount() == start) << "the brushes' deletion counted";

    // A thousand repaints of every button, in every state the mouse gives them.
    constexpr int kRounds = 1000;
    const int before = GdiObjectCount();
    for (int round = 0; round < kRounds; ++round) {
        for (const auto& button : window.dialog.Buttons()) {
            RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        if (round % 100 == 0) {
            MyButton& antenna = window.Button(IDC_ANTENNA1);
            MoveOnto(antenna, MK_LBUTTON);
            MoveOff(antenna);
            SendMessageA(antenna.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5000, 5000));
        }
    }
    const int after = GdiObjectCount();
    std::printf("GDI objects before %d repaints of %zu buttons: %d, after: %d\n", kRounds,
                window.dialog.Buttons().size(), before, after);
    EXPECT_TRUE(after - before <= 0) << "no GDI objects left behind by painting";
}

// --- the setup dialog's key buttons ---------------------------------------------------------

TEST_F(MainWindowPaint, DropDownArrow) {
    const SkinPalette& p = Palette();
    SkinnedDialog setup(IDD_SETUP_DIALOG);
    EXPECT_TRUE(setup.Exists());
    MyButton* key = setup.Button(IDC_KEY1);
    EXPECT_TRUE(key != nullptr);
    if (key == nullptr) {
        return;
    }
    for (const int id : {IDC_KEY1, IDC_KEY2, IDC_KEY3}) {
        if (MyButton* other = setup.Button(id); other != nullptr) {
            other->SetKeyMenu(IDR_KEY_MENU);
            other->SelectMenuItem(13 + (id - IDC_KEY1), nullptr);
        }
    }
    if (MyButton* page = setup.Button(IDC_PAGE_GLOBAL); page != nullptr) {
        page->SetChecked(1, false);
    }
    setup.ShowAt(20, 20);
    Screenshot(setup.Handle(), "setup-keys");

    const WindowPicture picture = WindowPicture::Of(key->Handle());
    const int r = picture.Width();
    const int cy = picture.Height() / 2;
    const Colour c = p.textSysColor;
    CHECK_PIXEL(picture, r - 10, cy + 1, c, "arrow tip");
    CHECK_PIXEL(picture, r - 13, cy - 2, c, "arrow top left");
    CHECK_PIXEL(picture, r - 7, cy - 2, c, "arrow top right");
    CHECK_PIXEL(picture, r - 10, cy - 1, c, "arrow inside");
    EXPECT_TRUE(picture.At(r - 14, cy - 2) != c) << "left of the arrow";
    EXPECT_TRUE(picture.At(r - 6, cy - 2) != c) << "right of the arrow";
    EXPECT_TRUE(picture.At(r - 10, cy + 2) != c) << "below the tip";
    EXPECT_TRUE(picture.At(r - 11, cy + 1) != c && picture.At(r - 9, cy + 1) != c) << "tip one pixel wide";
    CHECK_RAISED(picture, p.shadowColor, p.lightColor, "key button");
    CHECK_FACE(*key, picture, "key button");

    // The caption is centred in the face less the arrow's 10 pixels (and 1 all round).
    const InkExtent ink = InkOf(picture, c, Rect{1, 1, r - 14, picture.Height() - 1});
    const int middle = (1 + r - 11) / 2;
    EXPECT_TRUE(ink.left >= 0 && std::abs(ink.Middle() - middle) <= 2) << "key caption centred: ink middle " + std::to_string(ink.Middle()) +
                   ", room middle " + std::to_string(middle);

    // Disabled: the arrow in shadow with a lit lower-right edge.
    EnableWindow(key->Handle(), FALSE);
    const WindowPicture disabled = WindowPicture::Of(key->Handle());
    Screenshot(setup.Handle(), "setup-key-disabled");
    CHECK_PIXEL(disabled, r - 10, cy + 1, p.shadowColor, "disabled arrow tip");
    CHECK_PIXEL(disabled, r - 13, cy - 2, p.shadowColor, "disabled arrow top left");
    CHECK_PIXEL(disabled, r - 9, cy + 1, p.highlightColor, "lit edge");
    CHECK_PIXEL(disabled, r - 8, cy, p.highlightColor, "lit edge");
    CHECK_PIXEL(disabled, r - 7, cy - 1, p.highlightColor, "lit edge");
    CHECK_FACE(*key, disabled, "disabled key button");
    EnableWindow(key->Handle(), TRUE);

    // A checked key button keeps its arrow in the text colour though its caption is white.
    key->SetChecked(1, true);
    const WindowPicture checked = WindowPicture::Of(key->Handle());
    CHECK_PIXEL(checked, r - 10, cy + 1, c, "checked arrow tip");
    EXPECT_TRUE(checked.Count(kWhite, 1, 1, r - 12, checked.Height() - 1) > 0) << "white caption";
    key->SetChecked(0, true);
}

// A caption too long for its button ends in an ellipsis on one line.
TEST_F(MainWindowPaint, LongCaption) {
    const SkinPalette& p = Palette();
    MyButton& button = window.Button(IDC_ANTENNA1);
    char saved[256] = "";
    GetWindowTextA(button.Handle(), saved, sizeof(saved));
    SetWindowTextA(button.Handle(), "Antenna 1 with a caption far too long for its button");
    Repaint(button);
    const WindowPicture picture = WindowPicture::Of(button.Handle());
    Screenshot(window.dialog.Handle(), "main-long-caption");
    const Colour caption = button.checked == 1 ? kWhite : p.textSysColor;
    const InkExtent ink = InkOf(picture, caption, Rect{2, 2, picture.Width() - 2,
                                                       picture.Height() - 2});
    EXPECT_TRUE(ink.left >= 2 && ink.right <= picture.Width() - 3) << "long caption kept inside";
    CHECK_FACE(button, picture, "long caption");
    SetWindowTextA(button.Handle(), saved);
    Repaint(button);
}

// A caption beyond the system's code page (an antenna's name) is drawn as itself, not as the
// question marks the code page would make of it.
TEST_F(MainWindowPaint, CaptionBeyondTheCodePage) {
    MyButton& button = window.Button(IDC_ANTENNA1);
    const std::string saved = WindowTextUtf8(button.Handle());
    const auto pictureOf = [&](std::string_view caption) {
        SetWindowTextUtf8(button.Handle(), caption);
        Repaint(button);
        return WindowPicture::Of(button.Handle());
    };
    const std::string name = "\xd0\x96\xd1\x83\xd0\xba \xd0\xaf\xd0\xbc\xd0\xb0";  // "Жук Яма"
    // What the code page makes of it: question marks, or a best-fit look-alike.
    const std::wstring wide = WideFromUtf8(name);
    std::string narrowed(wide.size() * 2, '\0');
    narrowed.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                            narrowed.data(), static_cast<int>(narrowed.size()), nullptr, nullptr)));
    std::wstring back(narrowed.size(), L'\0');
    back.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, narrowed.c_str(), static_cast<int>(narrowed.size()),
                            back.data(), static_cast<int>(back.size()))));
    ASSERT_NE(wide, back) << "the code page holds the name; pick one beyond it";

    const WindowPicture named = pictureOf(name);
    EXPECT_EQ(name, WindowTextUtf8(button.Handle()));
    const WindowPicture codePage = pictureOf(Utf8FromWide(back));
    int differing = 0;
    for (int y = 0; y < named.Height(); ++y) {
        for (int x = 0; x < named.Width(); ++x) differing += named.At(x, y) != codePage.At(x, y);
    }
    EXPECT_GT(differing, 20) << "the name is painted as the code page's copy";
    SetWindowTextUtf8(button.Handle(), saved);
    Repaint(button);
}

// A button with BS_MULTILINE wraps its caption at words within a band two text heights high,
// centred on the face.
TEST_F(MainWindowPaint, MultilineCaption) {
    const SkinPalette& p = Palette();
    HWND hwnd = CreateWindowExA(0, "BUTTON", "Antenna Switch and Mixer Control",
                                WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE, 10, 10, 96,
                                60, window.dialog.Handle(), nullptr, GetModuleHandleA(nullptr),
                                nullptr);
    MyButton button;
    EXPECT_TRUE(button.SubclassWindow(hwnd));
    Repaint(button);
    const WindowPicture picture = WindowPicture::Of(hwnd);
    Screenshot(window.dialog.Handle(), "main-multiline");

    const ExpectedFace expected(button, picture.Width(), picture.Height());
    EXPECT_TRUE(expected.plan.measureCaption && expected.plan.caption.layout == TextLayout::kWrapped);
    int lineHeight = 0;
    {
        WindowDc dc(hwnd);
        SelectGuard font(dc.Get(), SharedFont(expected.plan.font));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc.Get(), &metrics);
        lineHeight = static_cast<int>(metrics.tmHeight);
    }
    const Rect band = MultilineBand(expected.plan.caption.rect, lineHeight);
    int inside = 0;
    int outside = 0;
    int inkTop = -1;
    int inkBottom = -1;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.At(x, y) != p.textSysColor) {
                continue;
            }
            const bool inBand = y >= band.top && y < band.bottom;
            (inBand ? inside : outside) += 1;
            inkTop = inkTop < 0 ? y : inkTop;
            inkBottom = y;
        }
    }
    EXPECT_TRUE(inside > 0 && outside == 0) << "wrapped caption within its band: " +
                                               std::to_string(outside) + " pixels outside";
    // Taller than one line of text: the caption was wrapped, not cut to one line.
    EXPECT_TRUE(inkBottom - inkTop + 1 > lineHeight) << "caption wrapped onto two lines: ink rows " + std::to_string(inkTop) + " to " +
                   std::to_string(inkBottom) + ", line height " + std::to_string(lineHeight);
    CHECK_FACE(button, picture, "multiline");
    button.UnsubclassWindow();
    DestroyWindow(hwnd);
    RedrawWindow(window.dialog.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

TEST(LogicalFont, AsksForTheCharacterHeightWeightAndSwissFallback) {
    const LOGFONTA large = LogicalFont(SharedFontSpec(FontChoice::kLarge));
    EXPECT_EQ(large.lfHeight, -16);
    EXPECT_EQ(large.lfWeight, FW_BOLD);
    EXPECT_EQ(large.lfPitchAndFamily, FF_SWISS | DEFAULT_PITCH);
    EXPECT_STREQ(large.lfFaceName, "Arial");
    EXPECT_EQ(large.lfWidth | large.lfEscapement | large.lfOrientation, 0);
    EXPECT_EQ(large.lfItalic | large.lfUnderline | large.lfStrikeOut | large.lfCharSet |
                  large.lfOutPrecision | large.lfClipPrecision | large.lfQuality,
              0);
    const LOGFONTA normal = LogicalFont(SharedFontSpec(FontChoice::kNormal));
    EXPECT_EQ(normal.lfHeight, -12);
    EXPECT_EQ(normal.lfWeight, FW_NORMAL);
    EXPECT_STREQ(normal.lfFaceName, "MS Sans Serif");
}

}  // namespace

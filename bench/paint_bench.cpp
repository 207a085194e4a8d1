// What one paint of a skinned button costs in the platform-neutral painter: planning the face,
// the gloss gradient or flat fill, frame, image, caption and arrow, into a fresh off-screen
// surface of the button's size (as every paint makes its own bitmap). Text and images go to a
// stand-in renderer that fills boxes of roughly the text's size, so the figures are those of
// the shared painting code, not of any font engine. Sizes are the main window's, converted
// from dialog units with the 8-point dialog font's base units of 6 x 13 pixels.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "controls/button_paint.h"
#include "controls/memory_surface.h"

namespace {

using namespace torvik;
using Clock = std::chrono::steady_clock;

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// Dialog units to pixels, rounded to the nearest pixel.
int DialogX(int x) { return (x * kBaseUnitX + 2) / 4; }
int DialogY(int y) { return (y * kBaseUnitY + 4) / 8; }

class BoxTextCanvas final : public ButtonCanvas {
public:
    BoxTextCanvas(int width, int height, int imageWidth, int imageHeight)
        : surface_(width, height), imageWidth_(imageWidth), imageHeight_(imageHeight) {}

    PixelSurface& Surface() override { return surface_; }

    // A 6 x 8 box per character, centred, cut to the rectangle like an ellipsis would cut it.
    void DrawText(std::string_view text, const Rect& rect, TextLayout, Colour colour,
                  FontChoice) override {
        const int chars = std::min<int>(static_cast<int>(text.size()), rect.Width() / 6);
        const int left = rect.left + (rect.Width() - chars * 6) / 2;
        const int top = rect.top + (rect.Height() - 8) / 2;
        for (int i = 0; i < chars; ++i) {
            surface_.FillRect({left + i * 6 + 1, top, left + i * 6 + 5, top + 8}, colour);
        }
    }
    int MeasureTextHeight(std::string_view, const Rect&, FontChoice) override {
        return 13;
    }
    void DrawImage(Point at) override {
        surface_.FillRect({at.x, at.y, at.x + imageWidth_, at.y + imageHeight_}, Rgb(0, 0, 128));
    }

    // One pixel from the middle keeps the compiler from dropping the paint.
    std::uint32_t MiddlePixel() const {
        return surface_.GetPixel(surface_.Width() / 2, surface_.Height() / 2);
    }

private:
    MemorySurface surface_;
    int imageWidth_;
    int imageHeight_;
};

SkinPalette ClassicPalette() {
    SkinPalette p;
    p.faceColor = Rgb(212, 208, 200);
    p.lightColor = Rgb(241, 239, 226);
    p.shadowColor = Rgb(172, 168, 153);
    p.darkShadowColor = Rgb(113, 111, 100);
    p.textSysColor = Rgb(0, 0, 0);
    p.highlightColor = AdjustLightness(p.lightColor, 0.1);
    return p;
}

struct BenchButton {
    ButtonState state;
    int width;
    int height;
};

BenchButton Button(std::string caption, int dialogWidth, int dialogHeight) {
    BenchButton b;
    b.state.caption = std::move(caption);
    b.width = DialogX(dialogWidth);
    b.height = DialogY(dialogHeight);
    return b;
}

std::vector<BenchButton> MainWindowButtons() {
    std::vector<BenchButton> buttons;
    BenchButton banner = Button("", 257, 37);
    banner.state.imageWidth = 376;
    banner.state.imageHeight = 52;
    banner.state.look.imageAlign = 3;
    banner.state.look.lookStyle = 1;
    banner.state.look.frameStyle = 2;
    buttons.push_back(banner);
    buttons.push_back(Button("Antenna Swicth", 60, 14));
    buttons.push_back(Button("Antenna Mixer", 68, 14));
    buttons.push_back(Button("Setup", 41, 14));
    BenchButton manual = Button("Manual", 67, 17);
    manual.state.imageWidth = 24;
    manual.state.imageHeight = 19;
    manual.state.look.imageAlign = 1;
    manual.state.look.fontChoice = 1;
    buttons.push_back(manual);
    buttons.push_back(Button("Antenna 1", 87, 13));
    buttons.push_back(Button("Antenna 2", 84, 13));
    buttons.push_back(Button("Antenna 3", 87, 13));
    buttons.push_back(Button("Exit = stop the switch control", 108, 14));
    buttons.push_back(Button("OK = start the switch control", 108, 14));
    buttons[1].state.checked = 1;   // switch mode on
    buttons[5].state.checked = 1;   // antenna 1 on
    return buttons;
}

std::uint32_t PaintOnce(const BenchButton& b, const SkinPalette& palette) {
    BoxTextCanvas canvas(b.width, b.height, b.state.imageWidth, b.state.imageHeight);
    PaintButton(canvas, b.state, {0, 0, b.width, b.height}, palette);
    return canvas.MiddlePixel() & 1;
}

template <typename Paint>
double MicrosecondsPer(int rounds, Paint&& paint) {
    for (int i = 0; i < rounds / 10; ++i) {
        paint();
    }
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        paint();
    }
    const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    return spent.count() / rounds;
}

}  // namespace

int main() {
    const SkinPalette palette = ClassicPalette();
    std::uint32_t sink = 0;

    BenchButton antenna = Button("Antenna 1", 87, 13);
    std::printf("antenna button %d x %d px\n", antenna.width, antenna.height);
    const char* names[] = {"idle", "hover", "checked", "disabled"};
    for (int variant = 0; variant < 4; ++variant) {
        BenchButton b = antenna;
        b.state.hover = variant == 1;
        b.state.checked = variant == 2;
        b.state.enabled = variant != 3;
        const double us = MicrosecondsPer(20000, [&] { sink += PaintOnce(b, palette); });
        std::printf("  %-9s %8.2f us per paint\n", names[variant], us);
    }

    BenchButton dropDown = Button("NUM PAD 7", 50, 14);
    dropDown.state.menuId = 151;
    std::printf("drop-down key button %d x %d px: %8.2f us per paint\n", dropDown.width,
                dropDown.height,
                MicrosecondsPer(20000, [&] { sink += PaintOnce(dropDown, palette); }));

    const std::vector<BenchButton> window = MainWindowButtons();
    const double us = MicrosecondsPer(2000, [&] {
        for (const BenchButton& b : window) {
            sink += PaintOnce(b, palette);
        }
    });
    std::printf("main window, all %zu buttons: %8.2f us per set (%.2f us per button)\n",
                window.size(), us, us / static_cast<double>(window.size()));
    std::printf("(sink %u)\n", static_cast<unsigned>(sink));
    return 0;
}

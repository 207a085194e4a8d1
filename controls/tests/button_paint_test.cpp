#include "controls/button_paint.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/gloss.h"
#include "controls/memory_surface.h"

namespace torvik {
namespace {

SkinPalette TestPalette() {
    SkinPalette p;
    p.faceColor = Rgb(212, 208, 200);
    p.lightColor = Rgb(241, 239, 226);
    p.shadowColor = Rgb(172, 168, 153);
    p.darkShadowColor = Rgb(113, 111, 100);
    p.textSysColor = Rgb(0, 0, 1);
    p.highlightColor = Rgb(250, 250, 245);
    return p;
}

const SkinPalette kPalette = TestPalette();
constexpr Rect kFace{0, 0, 100, 22};

Colour Lit(Colour c) { return AdjustLightness(c, 0.05); }

ButtonState Plain(std::string caption = "Setup") {
    ButtonState s;
    s.caption = std::move(caption);
    return s;
}

TEST(ButtonPlan, IdleOrdinaryButton) {
    const ButtonPaintPlan plan = PlanButtonPaint(Plain(), kFace, kPalette);
    EXPECT_EQ(plan.background.kind, BackgroundKind::kGloss);
    EXPECT_EQ(plan.background.rect, (Rect{1, 1, 99, 21}));
    EXPECT_EQ(plan.background.bottomColour, Lit(kPalette.shadowColor));
    EXPECT_EQ(plan.background.topColour, Lit(kPalette.lightColor));
    EXPECT_FALSE(plan.background.underlay);
    EXPECT_EQ(plan.frame.kind, FrameKind::kRounded);
    EXPECT_EQ(plan.frame.rect, kFace);
    EXPECT_EQ(plan.frame.colour, kPalette.highlightColor);
    EXPECT_EQ(plan.frame.secondColour, kPalette.faceColor);
    EXPECT_EQ(plan.font, FontChoice::kNormal);
    EXPECT_EQ(plan.caption.colour, kPalette.textSysColor);
    EXPECT_EQ(plan.caption.layout, TextLayout::kOneLine);
    EXPECT_EQ(plan.caption.rect, (Rect{1, 1, 99, 21}));
    EXPECT_FALSE(plan.measureCaption);
    EXPECT_FALSE(plan.disabledCopy);
    EXPECT_FALSE(plan.arrow);
    EXPECT_FALSE(plan.imageAt);
}

TEST(ButtonPlan, CheckedOrdinaryButtonIsDarkWithAWhiteCaption) {
    ButtonState s = Plain();
    s.checked = 1;
    const ButtonPaintPlan plan = PlanButtonPaint(s, kFace, kPalette);
    EXPECT_EQ(plan.background.bottomColour, Lit(kPalette.shadowColor));
    EXPECT_EQ(plan.background.topColour, Lit(kPalette.darkShadowColor));
    EXPECT_EQ(plan.caption.colour, kWhite);
    EXPECT_EQ(plan.textColour, kPalette.textSysColor);
    EXPECT_EQ(plan.font, FontChoice::kNormal);  // the raised look never turns bold by itself

    s.textColor = Rgb(0, 128, 0);  // a colour of its own wins over white
    EXPECT_EQ(PlanButtonPaint(s, kFace, kPalette).caption.colour, Rgb(0, 128, 0));
}

struct GlossCase {
    int checked;
    int pressed;
    int hover;
    int look;
    Colour bottom;
    Colour top;
};

TEST(ButtonPlan, GradientColoursForEveryStateOfBothGradientLooks) {
    const Colour light = kPalette.lightColor;
    const Colour shadow = kPalette.shadowColor;
    const Colour dark = kPalette.darkShadowColor;
    const GlossCase cases[] = {
        // Unchecked: raised, turned over under the pointer; pressed alone changes nothing.
        {0, 0, 0, 0, shadow, light}, {0, 0, 1, 0, light, shadow}, {0, 1, 0, 0, shadow, light},
        {0, 1, 1, 0, light, shadow}, {0, 0, 0, 2, shadow, light}, {0, 0, 1, 2, light, shadow},
        {0, 1, 0, 2, shadow, light}, {0, 1, 1, 2, light, shadow},
        // Checked and held down under the pointer: shown as unchecked under the pointer.
        {1, 1, 1, 0, light, shadow}, {1, 1, 1, 2, light, shadow},
        // Checked, raised look (and any look but 1 and 2).
        {1, 0, 0, 0, shadow, dark}, {1, 0, 1, 0, dark, shadow}, {1, 1, 0, 0, shadow, dark},
        {1, 0, 1, 7, dark, shadow}, {1, 0, 0, -1, shadow, dark},
        // Checked, soft look.
        {1, 0, 0, 2, light, shadow}, {1, 0, 1, 2, shadow, light}, {1, 1, 0, 2, shadow, light},
    };
    for (const GlossCase& c : cases) {
        ButtonState s = Plain();
        s.checked = c.checked;
        s.pressed = c.pressed;
        s.hover = c.hover;
        s.look.lookStyle = c.look;
        const ButtonPaintPlan plan = PlanButtonPaint(s, kFace, kPalette);
        SCOPED_TRACE(testing::Message() << "checked " << c.checked << " pressed " << c.pressed
                                        << " hover " << c.hover << " look " << c.look);
        EXPECT_EQ(plan.background.kind, BackgroundKind::kGloss);
        EXPECT_EQ(plan.background.bottomColour, Lit(c.bottom));
        EXPECT_EQ(plan.background.topColour, Lit(c.top));
    }
}

TEST(ButtonPlan, DisabledCaptionIsDarkShadowOverAHighlightCopy) {
    for (int checked : {0, 1}) {
        ButtonState s = Plain();
        s.enabled = false;
        s.checked = checked;
        const ButtonPaintPlan plan = PlanButtonPaint(s, kFace, kPalette);
        ASSERT_TRUE(plan.disabledCopy);
        EXPECT_EQ(plan.disabledCopy->rect, (Rect{2, 2, 100, 22}));
        EXPECT_EQ(plan.disabledCopy->colour, kPalette.highlightColor);
        EXPECT_EQ(plan.disabledCopy->layout, TextLayout::kOneLine);
        EXPECT_EQ(plan.caption.colour, kPalette.darkShadowColor);
        EXPECT_EQ(plan.caption.rect, (Rect{1, 1, 99, 21}));
    }
}

TEST(ButtonPlan, FlatLookDarkensForExactlyOneOfCheckedAndPointer) {
    const Colour darker = AdjustLightness(kPalette.faceColor, -0.07);
    struct Case {
        int checked;
        int pressed;
        int hover;
        Colour fill;
        FontChoice font;
    };
    const Case cases[] = {
        {0, 0, 0, kPalette.faceColor, FontChoice::kNormal},
        {0, 0, 1, darker, FontChoice::kBold},
        {0, 1, 0, darker, FontChoice::kBold},
        {0, 1, 1, darker, FontChoice::kBold},
        {1, 0, 0, darker, FontChoice::kBold},
        {1, 0, 1, kPalette.faceColor, FontChoice::kBold},
        {1, 1, 0, kPalette.faceColor, FontChoice::kBold},
    };
    for (const Case& c : cases) {
        ButtonState s = Plain();
        s.look.lookStyle = 1;
        s.checked = c.checked;
        s.pressed = c.pressed;
        s.hover = c.hover;
        const ButtonPaintPlan plan = PlanButtonPaint(s, kFace, kPalette);
        SCOPED_TRACE(testing::Message()
                     << "checked " << c.checked << " pressed " << c.pressed << " hover " << c.hover);
        EXPECT_EQ(plan.background.kind, BackgroundKind::kFlat);
        EXPECT_EQ(plan.background.rect, kFace);
        EXPECT_EQ(plan.background.flatColour, c.fill);
        EXPECT_EQ(plan.font, c.font);
        // The flat look never whitens a checked caption.
        EXPECT_EQ(plan.caption.colour, kPalette.textSysColor);
    }
}

TEST(ButtonPlan, FramesByLookAndFrameStyle) {
    struct Case {
        int look;
        int frameStyle;
        int checked;
        FrameKind kind;
        Colour colour;
        Colour second;
    };
    const SkinPalette& p = kPalette;
    const Case cases[] = {
        {1, 2, 1, FrameKind::kSunken, p.darkShadowColor, p.highlightColor},
        {1, 2, 0, FrameKind::kNone, 0, 0},
        {1, 0, 0, FrameKind::kRounded, p.darkShadowColor, p.faceColor},
        {1, 0, 1, FrameKind::kRounded, p.darkShadowColor, p.faceColor},
        {1, 1, 1, FrameKind::kNone, 0, 0},
        {0, 0, 1, FrameKind::kRounded, p.highlightColor, p.faceColor},
        {2, 0, 0, FrameKind::kRounded, p.highlightColor, p.faceColor},
        {0, 2, 1, FrameKind::kNone, 0, 0},
        {2, 1, 0, FrameKind::kNone, 0, 0},
    };
    for (const Case& c : cases) {
        ButtonState s = Plain();
        s.look.lookStyle = c.look;
        s.look.frameStyle = c.frameStyle;
        s.checked = c.checked;
        const FrameStep frame = PlanButtonPaint(s, kFace, kPalette).frame;
        SCOPED_TRACE(testing::Message() << "look " << c.look << " frame " << c.frameStyle
                                        << " checked " << c.checked);
        EXPECT_EQ(frame.kind, c.kind);
        if (c.kind != FrameKind::kNone) {
            EXPECT_EQ(frame.colour, c.colour);
            EXPECT_EQ(frame.secondColour, c.second);
        }
    }
}

TEST(ButtonPlan, GradientWithoutFrameGivesItsRingTheFaceColour) {
    ButtonState s = Plain();
    s.look.frameStyle = 1;
    const BackgroundStep step = PlanButtonPaint(s, kFace, kPalette).background;
    ASSERT_TRUE(step.underlay);
    EXPECT_EQ(*step.underlay, kPalette.faceColor);
}

TEST(ButtonPlan, FontChoiceAndBoldOnlyForActiveNonRaisedLooks) {
    ButtonState s = Plain();
    s.look.fontChoice = 2;
    EXPECT_EQ(PlanButtonPaint(s, kFace, kPalette).font, FontChoice::kLarge);
    s.look.fontChoice = 1;
    EXPECT_EQ(PlanButtonPaint(s, kFace, kPalette).font, FontChoice::kBold);
    s.look.fontChoice = 5;
    s.hover = 1;
    EXPECT_EQ(PlanButtonPaint(s, kFace, kPalette).font, FontChoice::kNormal);
    s.look.lookStyle = 2;
    EXPECT_EQ(PlanButtonPaint(s, kFace, kPalette).font, FontChoice::kBold);
    s.hover = 0;
    EXPECT_EQ(PlanButtonPaint(s, kFace, kPalette).font, FontChoice::kNormal);
}

TEST(ButtonPlan, DropDownLeavesRoomForTheArrowInTheCaptionColour) {
    ButtonState s = Plain("F5");
    s.menuId = 151;
    s.checked = 1;  // white caption, but the arrow keeps C
    const ButtonPaintPlan plan = PlanButtonPaint(s, kFace, kPalette);
    EXPECT_EQ(plan.caption.rect, (Rect{1, 1, 89, 21}));
    EXPECT_EQ(plan.caption.colour, kWhite);
    ASSERT_TRUE(plan.arrow);
    EXPECT_EQ(plan.arrow->corners[0], (Point{87, 9}));
    EXPECT_EQ(plan.arrow->corners[1], (Point{90, 12}));  // tip: right - 10, middle + 1
    EXPECT_EQ(plan.arrow->corners[2], (Point{93, 9}));
    EXPECT_EQ(plan.arrow->colour, kPalette.textSysColor);
    EXPECT_FALSE(plan.arrow->litEdge);

    s.enabled = false;
    const ButtonPaintPlan disabled = PlanButtonPaint(s, kFace, kPalette);
    EXPECT_EQ(disabled.arrow->colour, kPalette.shadowColor);
    ASSERT_TRUE(disabled.arrow->litEdge);
    EXPECT_EQ(disabled.arrow->litEdge->from, (Point{91, 12}));
    EXPECT_EQ(disabled.arrow->litEdge->to, (Point{94, 9}));
    EXPECT_EQ(disabled.arrow->litEdge->colour, kPalette.highlightColor);
}

TEST(ButtonPlan, ImagePlacementByAlignment) {
    constexpr Rect face{0, 0, 101, 28};
    ButtonState s = Plain("Manual");
    s.imageWidth = 24;
    s.imageHeight = 19;

    s.look.imageAlign = 1;  // left of the caption
    ButtonPaintPlan plan = PlanButtonPaint(s, face, kPalette);
    EXPECT_EQ(plan.imageAt, (Point{5, 4}));
    EXPECT_EQ(plan.caption.rect, (Rect{5 + 24 + 1, 1, 100, 27}));

    s.look.imageAlign = 0;  // right of the caption
    plan = PlanButtonPaint(s, face, kPalette);
    EXPECT_EQ(plan.imageAt, (Point{72, 4}));
    EXPECT_EQ(plan.caption.rect, (Rect{1, 1, 71, 27}));

    s.menuId = 151;    // the image moves left of the arrow room too
    plan = PlanButtonPaint(s, face, kPalette);
    EXPECT_EQ(plan.imageAt, (Point{62, 4}));
    EXPECT_EQ(plan.caption.rect, (Rect{1, 1, 61, 27}));
    s.menuId = 0;

    s.look.imageAlign = 3;  // centred on the whole face, caption over all of it
    plan = PlanButtonPaint(s, face, kPalette);
    EXPECT_EQ(plan.imageAt, (Point{38, 4}));
    EXPECT_EQ(plan.caption.rect, (Rect{1, 1, 100, 27}));

    s.look.imageAlign = 1;  // no caption: centred whatever the alignment
    s.caption.clear();
    EXPECT_EQ(PlanButtonPaint(s, face, kPalette).imageAt, (Point{38, 4}));
}

TEST(ButtonPlan, ImageTallerThanTheFaceStartsAtTheTop) {
    // The banner: 376 x 52 over a face 386 x 60 and over one 300 x 37.
    ButtonState s = Plain("");
    s.look.imageAlign = 3;
    s.imageWidth = 376;
    s.imageHeight = 52;
    s.look.lookStyle = 1;
    EXPECT_EQ(PlanButtonPaint(s, {0, 0, 386, 60}, kPalette).imageAt, (Point{5, 4}));
    EXPECT_EQ(PlanButtonPaint(s, {0, 0, 300, 37}, kPalette).imageAt, (Point{-38, 0}));
}

TEST(MultilineBand, CentresABandTwoLinesHigh) {
    EXPECT_EQ(MultilineBand({1, 1, 99, 39}, 13), (Rect{1, 6, 99, 33}));
    EXPECT_EQ(MultilineBand({1, 1, 99, 40}, 13), (Rect{1, 6, 99, 34}));  // 13 / 2 truncated
    // Text taller than the rectangle: the band grows beyond it (v is negative).
    EXPECT_EQ(MultilineBand({0, 0, 50, 10}, 10), (Rect{0, -6, 50, 15}));
}

// ---- Painting through a canvas ----

class FakeCanvas : public ButtonCanvas {
public:
    struct TextCall {
        std::string text;
        Rect rect;
        TextLayout layout;
        Colour colour;
        FontChoice font;
    };

    FakeCanvas(int width, int height) : surface(width, height, kUnpainted) {}

    PixelSurface& Surface() override { return surface; }
    void DrawText(std::string_view text, const Rect& rect, TextLayout layout, Colour colour,
                  FontChoice font) override {
        calls.push_back("text");
        texts.push_back({std::string(text), rect, layout, colour, font});
    }
    int MeasureTextHeight(std::string_view, const Rect&, FontChoice) override {
        calls.push_back("measure");
        return 13;
    }
    void DrawImage(Point topLeft) override {
        calls.push_back("image");
        // A solid image over the whole face, so that later steps show on top of it.
        surface.FillRect({topLeft.x, topLeft.y, topLeft.x + 1000, topLeft.y + 1000}, kImage);
    }

    static constexpr Colour kUnpainted = Rgb(7, 7, 7);
    static constexpr Colour kImage = Rgb(1, 100, 1);
    MemorySurface surface;
    std::vector<std::string> calls;
    std::vector<TextCall> texts;
};

TEST(PaintButton, IdleButtonCoversEveryPixelWithGradientAndFrame) {
    FakeCanvas canvas(131, 21);
    PaintButton(canvas, Plain(), {0, 0, 131, 21}, kPalette);

    MemorySurface expected(131, 21, FakeCanvas::kUnpainted);
    GlossFill(expected, {1, 1, 130, 20}, Lit(kPalette.shadowColor), Lit(kPalette.lightColor));
    RoundedFrame(expected, {0, 0, 131, 21}, kPalette.highlightColor, kPalette.faceColor);
    EXPECT_TRUE(std::equal(canvas.surface.Pixels().begin(), canvas.surface.Pixels().end(),
                           expected.Pixels().begin()));
    for (std::uint32_t pixel : canvas.surface.Pixels()) {
        ASSERT_NE(pixel, FakeCanvas::kUnpainted);
    }
    ASSERT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(canvas.texts[0].text, "Setup");
    EXPECT_EQ(canvas.texts[0].rect, (Rect{1, 1, 130, 20}));
    EXPECT_EQ(canvas.texts[0].layout, TextLayout::kOneLine);
    EXPECT_EQ(canvas.texts[0].colour, kPalette.textSysColor);
    EXPECT_EQ(canvas.texts[0].font, FontChoice::kNormal);
}

TEST(PaintButton, GradientWithoutFrameLeavesNoPixelUnpainted) {
    for (int look : {0, 2}) {
        FakeCanvas canvas(40, 16);
        ButtonState s = Plain();
        s.look.lookStyle = look;
        s.look.frameStyle = 3;
        PaintButton(canvas, s, {0, 0, 40, 16}, kPalette);
        EXPECT_EQ(canvas.surface.GetPixel(0, 15), kPalette.faceColor);
        EXPECT_EQ(canvas.surface.GetPixel(39, 8), kPalette.faceColor);
        for (std::uint32_t pixel : canvas.surface.Pixels()) {
            ASSERT_NE(pixel, FakeCanvas::kUnpainted);
        }
    }
}

TEST(PaintButton, ImageGoesUnderTheFrameAndTheCaptionAfterIt) {
    FakeCanvas canvas(101, 28);
    ButtonState s = Plain("Manual");
    s.imageWidth = 24;
    s.imageHeight = 19;
    s.look.imageAlign = 1;
    s.look.fontChoice = 1;
    PaintButton(canvas, s, {0, 0, 101, 28}, kPalette);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"image", "text"}));
    EXPECT_EQ(canvas.surface.GetPixel(5, 4), FakeCanvas::kImage);
    EXPECT_NE(canvas.surface.GetPixel(4, 4), FakeCanvas::kImage);
    EXPECT_EQ(canvas.surface.GetPixel(100, 27), kPalette.faceColor);   // frame corner on top
    EXPECT_EQ(canvas.surface.GetPixel(50, 27), kPalette.highlightColor);
    EXPECT_EQ(canvas.texts[0].font, FontChoice::kBold);
    EXPECT_EQ(canvas.texts[0].rect, (Rect{30, 1, 100, 27}));
}

TEST(PaintButton, DisabledMultilineDrawsTheCopyThenMeasuresThenDrawsInTheBand) {
    FakeCanvas canvas(100, 40);
    ButtonState s = Plain("two words");
    s.enabled = false;
    s.multiline = true;
    PaintButton(canvas, s, {0, 0, 100, 40}, kPalette);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"text", "measure", "text"}));
    EXPECT_EQ(canvas.texts[0].rect, (Rect{2, 2, 100, 40}));
    EXPECT_EQ(canvas.texts[0].layout, TextLayout::kOneLine);
    EXPECT_EQ(canvas.texts[0].colour, kPalette.highlightColor);
    EXPECT_EQ(canvas.texts[1].rect, (Rect{1, 6, 99, 33}));  // T = 1..39, h 13, v 6
    EXPECT_EQ(canvas.texts[1].layout, TextLayout::kWrapped);
    EXPECT_EQ(canvas.texts[1].colour, kPalette.darkShadowColor);
}

TEST(PaintButton, EmptyCaptionDrawsNoText) {
    FakeCanvas canvas(50, 20);
    ButtonState s = Plain("");
    s.multiline = true;
    s.enabled = false;
    PaintButton(canvas, s, {0, 0, 50, 20}, kPalette);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(PaintButton, DropArrowPixelsWithTheLitEdgeWhenDisabled) {
    const Colour arrowColour = Rgb(200, 0, 0);
    ButtonState s = Plain("F1");
    s.menuId = 151;
    s.look.lookStyle = 1;         // flat background: the arrow stands out from a plain fill
    s.look.frameStyle = 1;
    s.textColor = arrowColour;

    for (bool enabled : {true, false}) {
        s.enabled = enabled;
        FakeCanvas canvas(100, 22);
        PaintButton(canvas, s, {0, 0, 100, 22}, kPalette);
        const Colour fill = enabled ? arrowColour : kPalette.shadowColor;
        // Tip at (90, 12); rows 9 to 12 are 7, 5, 3 and 1 pixels wide.
        for (int y = 8; y <= 13; ++y) {
            const int half = 12 - y;
            for (int x = 84; x <= 96; ++x) {
                const bool inArrow = y >= 9 && half >= 0 && x >= 90 - half && x <= 90 + half;
                const bool lit = !enabled && x - 90 == 13 - y && y >= 10 && y <= 12;
                const Colour want = inArrow ? fill : lit ? kPalette.highlightColor
                                                         : kPalette.faceColor;
                EXPECT_EQ(canvas.surface.GetPixel(x, y), want)
                    << (enabled ? "enabled" : "disabled") << " x=" << x << " y=" << y;
            }
        }
    }
}

TEST(PaintButton, EveryLookFrameAndStateStaysInsideTheSurface) {
    // A view inside a larger buffer: painting must leave the border around it alone, for
    // faces of every height, including ones too small to hold the arrow or the insets.
    for (int height : {0, 1, 2, 5, 33, 64}) {
        for (int width : {0, 3, 14, 131}) {
            const int stride = width + 40;
            std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride) * (height + 40),
                                              0xDEADBEEFu);
            PixelView view{std::span(pixels).subspan(static_cast<std::size_t>(20) * stride + 20),
                           width, height, stride};
            for (int look : {0, 1, 2}) {
                for (int frame : {0, 1, 2}) {
                    for (int state = 0; state < 16; ++state) {
                        ButtonState s = Plain("Antenna 1");
                        s.look.lookStyle = look;
                        s.look.frameStyle = frame;
                        s.checked = state & 1;
                        s.hover = (state >> 1) & 1;
                        s.pressed = (state >> 2) & 1;
                        s.enabled = (state & 8) == 0;
                        s.menuId = state & 8 ? 151 : 0;
                        const ButtonPaintPlan plan =
                            PlanButtonPaint(s, {0, 0, width, height}, kPalette);
                        PaintBackground(view, plan.background);
                        PaintFrame(view, plan.frame);
                        if (plan.arrow) {
                            PaintDropArrow(view, *plan.arrow);
                        }
                    }
                }
            }
            int touched = 0;
            for (int y = 0; y < height + 40; ++y) {
                for (int x = 0; x < stride; ++x) {
                    const bool inside = x >= 20 && x < 20 + width && y >= 20 && y < 20 + height;
                    touched += !inside &&
                               pixels[static_cast<std::size_t>(y) * stride + x] != 0xDEADBEEFu;
                }
            }
            EXPECT_EQ(touched, 0) << width << " x " << height;
        }
    }
}

}  // namespace
}  // namespace torvik

namespace torvik {
namespace {

TEST(PaintButton, FocusCueInvertsEveryOtherOutlinePixelInsideTheFaceAndNothingElse) {
    for (int look : {0, 1}) {
        ButtonState s = Plain("Antenna 2");
        s.look.lookStyle = look;
        s.checked = look;
        FakeCanvas without(60, 20);
        PaintButton(without, s, {0, 0, 60, 20}, kPalette);
        s.focusCue = true;
        FakeCanvas with(60, 20);
        PaintButton(with, s, {0, 0, 60, 20}, kPalette);

        int dots = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 60; ++x) {
                const bool outline = (x == 3 || x == 56) ? (y >= 3 && y <= 16)
                                                         : ((y == 3 || y == 16) && x >= 3 && x <= 56);
                const bool dot = outline && (x + y) % 2 == 0;
                const Colour before = without.surface.GetPixel(x, y);
                const Colour after = with.surface.GetPixel(x, y);
                if (dot) {
                    ++dots;
                    EXPECT_EQ(after, before ^ 0xFFFFFFu) << x << "," << y;
                } else {
                    EXPECT_EQ(after, before) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(dots, (54 * 2 + 12 * 2) / 2) << "look " << look;
    }
    // A face too small for the inset gets no cue rather than one outside it.
    ButtonState tiny = Plain();
    tiny.focusCue = true;
    EXPECT_FALSE(PlanButtonPaint(tiny, {0, 0, 6, 6}, kPalette).focusRect);
}

}  // namespace
}  // namespace torvik

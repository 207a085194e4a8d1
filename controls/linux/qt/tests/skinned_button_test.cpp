// The Qt button's face against the core's own paint of the same state, size and palette: every
// pixel outside the caption's glyphs (the box the font gives the centred caption) is the same,
// and the caption's ink has the colour and weight the core's plan asks for.
#include "controls/linux/qt/skinned_button.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/main_window_look.h"
#include "controls/button_paint.h"
#include "controls/memory_surface.h"

namespace torvik::qt {
namespace {

constexpr int kWidth = 129;
constexpr int kHeight = 21;

// The core's paint without text: the caption's rectangle, colour and font are noted instead.
class TextlessCanvas final : public ButtonCanvas {
public:
    TextlessCanvas() : surface_(kWidth, kHeight) {}
    PixelSurface& Surface() override { return surface_; }
    void DrawText(std::string_view, const Rect& rect, TextLayout, Colour colour,
                  FontChoice font) override {
        captionRect = rect;
        captionColour = colour;
        captionFont = font;
    }
    int MeasureTextHeight(std::string_view, const Rect&, FontChoice) override { return 13; }
    void DrawImage(Point) override {}

    std::optional<Rect> captionRect;
    Colour captionColour = 0;
    FontChoice captionFont = FontChoice::kNormal;
    MemorySurface surface_;
};

QPalette FixedPalette() {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    palette.setColor(QPalette::Midlight, QColor(241, 239, 226));
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::Shadow, QColor(64, 64, 64));
    palette.setColor(QPalette::ButtonText, QColor(0, 0, 0));
    return palette;
}

Colour PixelOf(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

struct FaceCase {
    std::string name;
    ButtonFields fields;
    bool enabled = true;
    bool keyboardFocus = false;
};

struct Compared {
    int outsideDifferences = 0;   // pixels outside the caption's glyph box that differ
    int ink = 0;                  // caption pixels that differ from the bare face
    int inkOfCaptionColour = 0;   // of those, pixels of exactly the caption's colour
    FontChoice plannedFont = FontChoice::kNormal;
};

class SkinnedButtonFace : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitQtSkinResources(FixedPalette()); }

    // Paints the case in a shown window (the focus needs one) and compares it with the core.
    Compared Compare(const FaceCase& c) {
        QWidget window;
        window.resize(kWidth + 20, kHeight + 20);
        QWidget before(&window);   // where the focus starts, so that Tab brings it to the button
        before.setFocusPolicy(Qt::StrongFocus);
        before.setGeometry(0, 0, 5, 5);
        SkinnedButton button(1001, QStringLiteral("Antenna 2"), &window);
        button.setGeometry(10, 10, kWidth, kHeight);
        static_cast<ButtonFields&>(button) = c.fields;
        button.setEnabled(c.enabled);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        if (c.keyboardFocus) {
            button.setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
        }
        const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_RGB32);

        ButtonWindowFacts facts;
        facts.enabled = c.enabled;
        facts.focusCue = c.keyboardFocus;
        facts.caption = "Antenna 2";
        const ButtonState state = FaceStateOf(c.fields, facts);
        TextlessCanvas core;
        const ButtonPaintPlan plan =
            PlanButtonPaint(state, Rect{0, 0, kWidth, kHeight}, SharedSkinResources().palette);
        PaintButton(core, plan, state.caption);

        Compared result;
        result.plannedFont = plan.font;
        EXPECT_EQ(shown.width(), kWidth);
        if (!core.captionRect || shown.width() != kWidth || shown.height() != kHeight) {
            ADD_FAILURE() << c.name << ": no caption or wrong size";
            return result;
        }
        const Rect area = *core.captionRect;
        const QRect glyphs =
            QFontMetrics(SharedQtFont(plan.font))
                .boundingRect(QRect(area.left, area.top, area.Width(), area.Height()),
                              Qt::AlignCenter, QString::fromStdString(state.caption))
                .adjusted(-1, -1, 1, 1);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const Colour qt = PixelOf(shown, x, y);
                const bool same = qt == core.surface_.GetPixel(x, y);
                const bool inCaption = glyphs.contains(x, y);
                if (!inCaption) {
                    result.outsideDifferences += same ? 0 : 1;
                } else if (!same) {
                    ++result.ink;
                    result.inkOfCaptionColour += qt == core.captionColour ? 1 : 0;
                }
            }
        }
        return result;
    }
};

ButtonFields Fields(int checked, int pressed, int hover, ButtonLook look = {}) {
    ButtonFields fields;
    fields.checked = checked;
    fields.pressed = pressed;
    fields.hover = hover;
    fields.look = look;
    return fields;
}

TEST_F(SkinnedButtonFace, EveryStateMatchesTheCorePaintOutsideTheCaption) {
    const std::vector<FaceCase> cases = {
        {"idle", Fields(0, 0, 0)},
        {"hover", Fields(0, 0, 1)},
        {"pressed", Fields(0, 1, 1)},
        {"checked", Fields(1, 0, 0)},
        {"disabled", Fields(0, 0, 0), false},
        {"focused after Tab", Fields(0, 0, 0), true, true},
        {"checked and focused", Fields(1, 0, 0), true, true},
        {"banner look, checked", Fields(1, 0, 0, kBannerLook)},
        {"Manual look", Fields(0, 0, 0, kManualLook)},
        {"flat look under the pointer", Fields(0, 0, 1, ButtonLook{0, look_style::kFlat, 0, 0})},
    };
    for (const FaceCase& c : cases) {
        const Compared compared = Compare(c);
        EXPECT_EQ(compared.outsideDifferences, 0) << c.name;
        EXPECT_GT(compared.ink, 20) << c.name << ": the caption is drawn";
        EXPECT_GT(compared.inkOfCaptionColour, 3) << c.name << ": in the planned colour";
    }
}

// The text colour a window sets is the caption's, over the checked face's white.
TEST_F(SkinnedButtonFace, AWindowsTextColourReachesTheCaption) {
    ButtonFields green = Fields(1, 0, 0);
    green.textColor = Rgb(0, 128, 0);
    const Compared compared = Compare({"green", green});
    EXPECT_EQ(compared.outsideDifferences, 0);
    EXPECT_GT(compared.inkOfCaptionColour, 3) << "green ink";
}

// Bold where the plan says bold: more ink for the same caption than the normal weight.
TEST_F(SkinnedButtonFace, ABoldPlanGivesABolderCaption) {
    const Compared normal = Compare({"normal", Fields(0, 0, 0)});
    const Compared bold =
        Compare({"flat, hover", Fields(0, 0, 1, ButtonLook{0, look_style::kFlat, 0, 0})});
    ASSERT_EQ(normal.plannedFont, FontChoice::kNormal);
    ASSERT_EQ(bold.plannedFont, FontChoice::kBold);
    EXPECT_GT(bold.ink, normal.ink + normal.ink / 8);
}

}  // namespace
}  // namespace torvik::qt

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#pragma once
// The face of a skinned button. PlanButtonPaint turns the button's state into the ordered steps
// of one paint; PaintButton carries them out on a ButtonCanvas. Fills, frames, the gradient
// and the drop-down arrow are painted here, pixel for pixel the same on every platform; the
// canvas supplies only text output, text measurement and the button's image.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/button_look.h"
#include "controls/colour.h"
#include "controls/geometry.h"
#include "controls/palette.h"
#include "controls/pixel_surface.h"

namespace torvik {

// How a caption is laid out in its rectangle; each canvas maps it to its text engine. In both
// layouts '&' is shown as itself.
enum class TextLayout {
    kOneLine,   // one line centred both ways, cut with an ellipsis when too long
    kWrapped,   // centred across, wrapped at words, from the top of the rectangle
};

// Everything a button's face depends on: the window's fields and what the window knows of
// itself. Imageless, unfocused and enabled by default.
struct ButtonState : ButtonFields, ButtonWindowFacts {};

// The painter's state of a button, made in this one place for every platform so that no field
// is left out on one of them.
ButtonState FaceStateOf(const ButtonFields& fields, ButtonWindowFacts window);

// How far the dotted focus rectangle lies inside the face: within the frame and the gradient's
// ring, around the caption.
inline constexpr int kFocusInset = 3;

enum class BackgroundKind { kFlat, kGloss };

struct BackgroundStep {
    BackgroundKind kind = BackgroundKind::kFlat;
    // Filled first over the whole face when set: the ring round the gradient of a gradient look
    // that has no frame to cover it.
    std::optional<Colour> underlay;
    Rect rect;                     // the face (flat) or the face less its outer ring (gloss)
    Colour flatColour = 0;
    Colour bottomColour = 0;       // gloss colours, already lightened
    Colour topColour = 0;
};

enum class FrameKind { kNone, kRounded, kSunken };

struct FrameStep {
    FrameKind kind = FrameKind::kNone;
    Rect rect;
    Colour colour = 0;             // rounded: outline; sunken: top and left edges
    Colour secondColour = 0;       // rounded: cut-off corners; sunken: bottom and right edges
};

struct TextStep {
    Rect rect;
    TextLayout layout = TextLayout::kOneLine;
    Colour colour = 0;
};

struct LineStep {
    Point from;                    // included
    Point to;                      // excluded
    Colour colour = 0;
};

struct ArrowStep {
    // Top left, tip, top right: a downward triangle, filled and outlined in colour.
    std::array<Point, 3> corners;
    Colour colour = 0;
    std::optional<LineStep> litEdge;  // disabled buttons only
};

struct ButtonPaintPlan {
    Rect face;
    BackgroundStep background;
    std::optional<Point> imageAt;  // top-left corner; the image is drawn at full size
    FrameStep frame;
    FontChoice font = FontChoice::kNormal;
    Colour textColour = 0;         // C: the caption colour before the white and disabled rules
    std::optional<TextStep> disabledCopy;
    // For a multiline caption, rect is the band's starting rectangle: measure the caption's
    // height in it with MeasureTextHeight and draw into MultilineBand(rect, height).
    TextStep caption;
    bool measureCaption = false;
    std::optional<ArrowStep> arrow;
    std::optional<Rect> focusRect;   // drawn last, over everything else
};

ButtonPaintPlan PlanButtonPaint(const ButtonState& state, const Rect& face,
                                const SkinPalette& palette);

// A band two text heights high, centred vertically in rect.
Rect MultilineBand(const Rect& rect, int measuredHeight);

// Where a button is painted. Text is drawn with a transparent background.
class ButtonCanvas {
public:
    virtual ~ButtonCanvas() = default;
    virtual PixelSurface& Surface() = 0;
    virtual void DrawText(std::string_view text, const Rect& rect, TextLayout layout,
                          Colour colour, FontChoice font) = 0;
    // Height of text in rect's width with its lines as they stand: broken at line breaks only,
    // never wrapped.
    virtual int MeasureTextHeight(std::string_view text, const Rect& rect, FontChoice font) = 0;
    // Draws the button's image at full size with its top-left corner at topLeft, transparent
    // where the image is masked, clipped only by the surface.
    virtual void DrawImage(Point topLeft) = 0;
};

void PaintBackground(PixelSurface& surface, const BackgroundStep& step);
void PaintFrame(PixelSurface& surface, const FrameStep& step);
void PaintDropArrow(PixelSurface& surface, const ArrowStep& step);
// The focus cue: every other pixel of the rectangle's outline inverted, so that it shows on any
// colour of the face and the same call again takes it away.
void PaintFocusRect(PixelSurface& surface, const Rect& rect);

// Carries out the plan in order: background, image, frame, caption, arrow, focus cue.
void PaintButton(ButtonCanvas& canvas, const ButtonPaintPlan& plan, std::string_view caption);
// Plans and paints the whole face of a button.
void PaintButton(ButtonCanvas& canvas, const ButtonState& state, const Rect& face,
                 const SkinPalette& palette);

}  // namespace torvik

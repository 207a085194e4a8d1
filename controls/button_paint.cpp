#include "controls/button_paint.h"

#include <cstdlib>
#include <utility>

#include "controls/gloss.h"

namespace torvik {

namespace {

constexpr int kArrowRoom = 10;         // taken from the caption's right for the arrow
constexpr int kImageMargin = 5;        // between the face's edge, the image and the caption
constexpr double kGlossLift = 0.05;    // both gradient colours are lightened by this
constexpr double kFlatDarken = -0.07;  // the darker face of the flat look

bool IsSet(int flag) { return flag == 1; }

struct GlossColours {
    Colour bottom;
    Colour top;
};

// The gradient of a gradient look, before lightening.
GlossColours ChooseGlossColours(const ButtonState& s, const SkinPalette& p) {
    const bool hover = IsSet(s.hover);
    const bool active = hover || IsSet(s.pressed);
    // A checked button held down under the pointer shows the unchecked gradient.
    const bool checkedLook = IsSet(s.checked) && !(IsSet(s.pressed) && hover);
    if (!checkedLook) {
        return hover ? GlossColours{p.lightColor, p.shadowColor}
                     : GlossColours{p.shadowColor, p.lightColor};
    }
    if (s.look.lookStyle == 2) {
        return active ? GlossColours{p.shadowColor, p.lightColor}
                      : GlossColours{p.lightColor, p.shadowColor};
    }
    return hover ? GlossColours{p.darkShadowColor, p.shadowColor}
                 : GlossColours{p.shadowColor, p.darkShadowColor};
}

BackgroundStep PlanBackground(const ButtonState& s, const Rect& face, const SkinPalette& p) {
    BackgroundStep step;
    if (s.look.lookStyle == 1) {
        // Exactly one of "checked" and "under the pointer" darkens the face.
        const bool darker = IsSet(s.checked) != (IsSet(s.hover) || IsSet(s.pressed));
        step.kind = BackgroundKind::kFlat;
        step.rect = face;
        step.flatColour = darker ? AdjustLightness(p.faceColor, kFlatDarken) : p.faceColor;
        return step;
    }
    const GlossColours colours = ChooseGlossColours(s, p);
    step.kind = BackgroundKind::kGloss;
    step.rect = face.Shrunk(1);
    step.bottomColour = AdjustLightness(colours.bottom, kGlossLift);
    step.topColour = AdjustLightness(colours.top, kGlossLift);
    if (s.look.frameStyle != 0) {
        // No frame will cover the outer ring: give it the dialog's face colour.
        step.underlay = p.faceColor;
    }
    return step;
}

FrameStep PlanFrame(const ButtonState& s, const Rect& face, const SkinPalette& p) {
    FrameStep step;
    step.rect = face;
    if (s.look.lookStyle == 1) {
        if (s.look.frameStyle == 2 && IsSet(s.checked)) {
            step.kind = FrameKind::kSunken;
            step.colour = p.darkShadowColor;
            step.secondColour = p.highlightColor;
        } else if (s.look.frameStyle == 0) {
            step.kind = FrameKind::kRounded;
            step.colour = p.darkShadowColor;
            step.secondColour = p.faceColor;
        }
    } else if (s.look.frameStyle == 0) {
        step.kind = FrameKind::kRounded;
        step.colour = p.highlightColor;
        step.secondColour = p.faceColor;
    }
    return step;
}

FontChoice ChooseFont(const ButtonState& s) {
    if (s.look.fontChoice == 2) {
        return FontChoice::kLarge;
    }
    if (s.look.fontChoice == 1) {
        return FontChoice::kBold;
    }
    const bool active = IsSet(s.checked) || IsSet(s.pressed) || IsSet(s.hover);
    return s.look.lookStyle != 0 && active ? FontChoice::kBold : FontChoice::kNormal;
}

// Places the image within the face and takes its room from the caption rectangle.
Point PlaceImage(const ButtonState& s, const Rect& face, Rect& text) {
    Rect image = face;
    if (!s.caption.empty() && s.look.imageAlign != 3) {
        if (s.look.imageAlign == 0) {
            image.right = text.right - kImageMargin;
            image.left = image.right - s.imageWidth;
            text.right = image.left;
        } else {
            image.left = face.left + kImageMargin;
            image.right = image.left + s.imageWidth;
            text.left = text.left + s.imageWidth + kImageMargin;
        }
    }
    const int dx = (image.right - s.imageWidth - image.left) / 2;
    int dy = (face.bottom - s.imageHeight - face.top) / 2;
    if (dy < 0) {
        dy = 0;  // a tall image starts at the top and is cut at the bottom
    }
    return {image.left + dx, image.top + dy};
}

ArrowStep PlanArrow(const ButtonState& s, const Rect& face, const SkinPalette& p,
                    Colour textColour) {
    const int cy = (face.top + face.bottom) / 2;
    const int r = face.right;
    ArrowStep step;
    step.corners = {Point{r - 13, cy - 2}, Point{r - 10, cy + 1}, Point{r - 7, cy - 2}};
    if (s.enabled) {
        step.colour = textColour;
    } else {
        step.colour = p.shadowColor;
        step.litEdge = LineStep{{r - 9, cy + 1}, {r - 6, cy - 2}, p.highlightColor};
    }
    return step;
}

// One-pixel line, end point excluded.
void DrawLine(PixelSurface& surface, const LineStep& line) {
    int x = line.from.x;
    int y = line.from.y;
    const int dx = std::abs(line.to.x - x);
    const int dy = -std::abs(line.to.y - y);
    const int sx = x < line.to.x ? 1 : -1;
    const int sy = y < line.to.y ? 1 : -1;
    int error = dx + dy;
    while (x != line.to.x || y != line.to.y) {
        surface.SetPixel(x, y, line.colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

}  // namespace

ButtonPaintPlan PlanButtonPaint(const ButtonState& state, const Rect& face,
                                const SkinPalette& palette) {
    ButtonPaintPlan plan;
    plan.face = face;

    Rect text = face;
    if (state.menuId != 0) {
        text.right -= kArrowRoom;
    }
    if (state.imageWidth != 0) {
        plan.imageAt = PlaceImage(state, face, text);
    }
    plan.font = ChooseFont(state);
    plan.textColour = state.textColor == kNoColour ? palette.textSysColor : state.textColor;
    plan.background = PlanBackground(state, face, palette);
    plan.frame = PlanFrame(state, face, palette);

    Colour captionColour = plan.textColour;
    if (IsSet(state.checked) && state.textColor == kNoColour && state.look.lookStyle != 1) {
        captionColour = kWhite;
    }
    text = text.Shrunk(1);
    if (!state.enabled) {
        plan.disabledCopy = TextStep{text.Offset(1, 1), TextLayout::kOneLine, palette.highlightColor};
        captionColour = palette.darkShadowColor;
    }
    plan.caption = TextStep{text, state.multiline ? TextLayout::kWrapped : TextLayout::kOneLine,
                            captionColour};
    plan.measureCaption = state.multiline;

    if (state.menuId != 0) {
        plan.arrow = PlanArrow(state, face, palette, plan.textColour);
    }
    if (state.focusCue) {
        const Rect cue = face.Shrunk(kFocusInset);
        if (cue.right > cue.left && cue.bottom > cue.top) {
            plan.focusRect = cue;
        }
    }
    return plan;
}

ButtonState FaceStateOf(const ButtonFields& fields, ButtonWindowFacts window) {
    ButtonState state;
    static_cast<ButtonFields&>(state) = fields;
    static_cast<ButtonWindowFacts&>(state) = std::move(window);
    return state;
}

Rect MultilineBand(const Rect& rect, int measuredHeight) {
    const int v = (rect.bottom - rect.top - 2 * measuredHeight) / 2;
    return {rect.left, rect.top + v - 1, rect.right, rect.bottom - v};
}

void PaintBackground(PixelSurface& surface, const BackgroundStep& step) {
    if (step.kind == BackgroundKind::kFlat) {
        surface.FillRect(step.rect, step.flatColour);
        return;
    }
    if (step.underlay) {
        surface.FillRect(step.rect.Shrunk(-1), *step.underlay);
    }
    GlossFill(surface, step.rect, step.bottomColour, step.topColour);
}

void PaintFrame(PixelSurface& surface, const FrameStep& step) {
    switch (step.kind) {
    case FrameKind::kNone:
        break;
    case FrameKind::kRounded:
        RoundedFrame(surface, step.rect, step.colour, step.secondColour);
        break;
    case FrameKind::kSunken:
        SunkenFrame(surface, step.rect, step.colour, step.secondColour);
        break;
    }
}

void PaintDropArrow(PixelSurface& surface, const ArrowStep& step) {
    // The filled triangle with its one-pixel outline: every row from the top edge down to the
    // tip, both sides included.
    const Point& topLeft = step.corners[0];
    const Point& tip = step.corners[1];
    const Point& topRight = step.corners[2];
    const int rows = tip.y - topLeft.y;
    if (rows > 0) {
        for (int i = 0; i <= rows; ++i) {
            const int xl = topLeft.x + (tip.x - topLeft.x) * i / rows;
            const int xr = topRight.x + (tip.x - topRight.x) * i / rows;
            surface.FillRect({xl, topLeft.y + i, xr + 1, topLeft.y + i + 1}, step.colour);
        }
    }
    if (step.litEdge) {
        DrawLine(surface, *step.litEdge);
    }
}

void PaintButton(ButtonCanvas& canvas, const ButtonPaintPlan& plan, std::string_view caption) {
    PixelSurface& surface = canvas.Surface();
    PaintBackground(surface, plan.background);
    if (plan.imageAt) {
        canvas.DrawImage(*plan.imageAt);
    }
    PaintFrame(surface, plan.frame);

    if (!caption.empty()) {
        if (plan.disabledCopy) {
            const TextStep& copy = *plan.disabledCopy;
            canvas.DrawText(caption, copy.rect, copy.layout, copy.colour, plan.font);
        }
        Rect rect = plan.caption.rect;
        if (plan.measureCaption) {
            const int height = canvas.MeasureTextHeight(caption, rect, plan.font);
            rect = MultilineBand(rect, height);
        }
        canvas.DrawText(caption, rect, plan.caption.layout, plan.caption.colour, plan.font);
    }

    if (plan.arrow) {
        PaintDropArrow(surface, *plan.arrow);
    }
    if (plan.focusRect) {
        PaintFocusRect(surface, *plan.focusRect);
    }
}

void PaintFocusRect(PixelSurface& surface, const Rect& rect) {
    const auto invert = [&surface](int x, int y) {
        if (x < 0 || y < 0 || x >= surface.Width() || y >= surface.Height()) return;
        // The dots sit on the even squares of a checkerboard, as the system's own cue does.
        if ((x + y) % 2 != 0) return;
        surface.SetPixel(x, y, surface.GetPixel(x, y) ^ 0xFFFFFFu);
    };
    const int last = rect.bottom - 1;
    const int right = rect.right - 1;
    for (int x = rect.left; x <= right; ++x) {
        invert(x, rect.top);
        if (last != rect.top) invert(x, last);
    }
    for (int y = rect.top + 1; y < last; ++y) {
        invert(rect.left, y);
        if (right != rect.left) invert(right, y);
    }
}

void PaintButton(ButtonCanvas& canvas, const ButtonState& state, const Rect& face,
                 const SkinPalette& palette) {
    PaintButton(canvas, PlanButtonPaint(state, face, palette), state.caption);
}

}  // namespace torvik

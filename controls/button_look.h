#pragma once
// A skinned button's settings as its window sets them, the same on every platform: the look
// (whose plain integers are named here with their meanings) and the other fields, and what the
// button's own window knows of itself when it paints. The painter's state is made of both.

#include <string>

#include "controls/colour.h"

namespace torvik {

namespace image_align {
inline constexpr int kRight = 0;     // image right of the caption
inline constexpr int kLeft = 1;      // image left of the caption (any value but 0 and 3)
inline constexpr int kCentred = 3;   // image alone in the middle
}  // namespace image_align

namespace look_style {
inline constexpr int kRaised = 0;    // raised gradient
inline constexpr int kFlat = 1;
inline constexpr int kSoft = 2;      // soft gradient
}  // namespace look_style

namespace frame_style {
inline constexpr int kRounded = 0;
inline constexpr int kSunkenWhenChecked = 2;   // with the flat look
}  // namespace frame_style

namespace font_choice {
inline constexpr int kNormal = 0;
inline constexpr int kBold = 1;
inline constexpr int kLarge = 2;
}  // namespace font_choice

// Everything a window decides about one button's look, besides its caption.
struct ButtonLook {
    int imageAlign = image_align::kRight;
    int lookStyle = look_style::kRaised;
    int frameStyle = frame_style::kRounded;
    int fontChoice = font_choice::kNormal;
};

// The fields a window sets on one of its buttons; each platform's button holds them as a base.
// The 0/1 flags follow the control: only the value 1 counts as set where the face rules test
// for 1.
struct ButtonFields {
    int checked = 0;
    ButtonLook look;
    unsigned int menuId = 0;       // nonzero: drop-down button with an arrow
    Colour textColor = kNoColour;  // kNoColour: the palette decides
    int pressed = 0;
    int hover = 0;
};

// What the button's window knows of itself at paint time.
struct ButtonWindowFacts {
    bool enabled = true;
    bool multiline = false;        // the window has BS_MULTILINE
    // The button has the keyboard focus and the window shows focus cues (after keyboard use).
    bool focusCue = false;
    int imageWidth = 0;            // 0: no image
    int imageHeight = 0;
    std::string caption;
};

}  // namespace torvik

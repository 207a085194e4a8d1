#pragma once
// The names of a skinned button's look settings. The button keeps them as plain integers
// (its owner windows set them directly); these are the values with their meanings.

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

}  // namespace torvik

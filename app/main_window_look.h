#pragma once
// How the main window looks, decided once for every platform: the banner and Manual buttons,
// the status line's colour and the antenna row's spacing. What the Manual button opens is
// manual_address.h's.

#include "controls/button_look.h"
#include "controls/colour.h"

namespace torvik {

// The banner: its picture centred, flat, framed sunken while checked.
inline constexpr ButtonLook kBannerLook{image_align::kCentred, look_style::kFlat,
                                        frame_style::kSunkenWhenChecked, font_choice::kNormal};
// Manual: the book left of a bold caption.
inline constexpr ButtonLook kManualLook{image_align::kLeft, look_style::kRaised,
                                        frame_style::kRounded, font_choice::kBold};

// "no device connected" in red.
inline constexpr Colour kStatusTextColour = Rgb(240, 40, 0);

// Pixels between the antenna buttons when the row is laid out to their captions.
inline constexpr int kAntennaRowGap = 2;

}  // namespace torvik

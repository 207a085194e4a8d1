#pragma once
// The palette and fonts that every skinned button shares, taken from the desktop's system
// colours once while the main window initialises.

#include <cstdint>
#include <string_view>

#include "controls/colour.h"

namespace torvik {

// The system colours the palette is made of.
enum class SystemColourId {
    kButtonFace,      // COLOR_BTNFACE
    k3dLight,         // COLOR_3DLIGHT
    kButtonShadow,    // COLOR_BTNSHADOW
    k3dDarkShadow,    // COLOR_3DDKSHADOW
    kButtonText,      // COLOR_BTNTEXT
};

enum class FontChoice { kNormal, kBold, kLarge };

// A logical font description with the window system's field meanings (heights negative for a
// character height in pixels).
struct FontSpec {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;         // ANSI_CHARSET
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string_view faceName;        // at most 31 characters

    friend constexpr bool operator==(const FontSpec&, const FontSpec&) = default;
};

inline constexpr std::uint8_t kFamilySwiss = 0x20;  // FF_SWISS with the default pitch
inline constexpr std::int32_t kWeightNormal = 400;
inline constexpr std::int32_t kWeightBold = 700;

// normalFont, boldFont and largeFont in the order they are made.
FontSpec SharedFontSpec(FontChoice which);

struct SkinPalette {
    Colour faceColor = 0;
    Colour lightColor = 0;
    Colour shadowColor = 0;
    Colour darkShadowColor = 0;
    Colour textSysColor = 0;
    Colour highlightColor = 0;   // lightColor made lighter by 0.1
};

// What InitSkinResources needs from the window system. The platform side owns the fonts it
// makes and releases them at program end.
class SkinResourceSource {
public:
    virtual ~SkinResourceSource() = default;
    virtual Colour ReadSystemColour(SystemColourId id) = 0;
    virtual void CreateSharedFont(FontChoice which, const FontSpec& description) = 0;
};

struct SkinResources {
    SkinPalette palette;
    bool fontsMade = false;
};

// The one program-wide instance, all zero until InitSkinResources runs.
SkinResources& SharedSkinResources();

// Reads the five system colours and derives the highlight on every call; makes the three fonts
// on the first call only.
void InitSkinResources(SkinResources& resources, SkinResourceSource& source);

}  // namespace torvik

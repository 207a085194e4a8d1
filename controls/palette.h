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

// A font as the buttons want it; each platform makes the nearest font its system has. A face
// the system lacks falls back to its sans-serif family.
struct FontSpec {
    std::string_view faceName;        // at most 31 characters
    int pixelHeight = 0;              // character height, internal leading excluded
    bool bold = false;

    friend constexpr bool operator==(const FontSpec&, const FontSpec&) = default;
};

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

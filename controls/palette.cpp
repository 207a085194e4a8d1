#include "controls/palette.h"

namespace torvik {

namespace {

constexpr double kHighlightLift = 0.1;

constexpr FontSpec kNormalFontSpec{.faceName = "MS Sans Serif", .pixelHeight = 12, .bold = false};

}  // namespace

FontSpec SharedFontSpec(FontChoice which) {
    FontSpec description = kNormalFontSpec;
    if (which == FontChoice::kNormal) {
        return description;
    }
    description.bold = true;
    if (which == FontChoice::kLarge) {
        description.faceName = "Arial";
        description.pixelHeight = 16;
    }
    return description;
}

SkinResources& SharedSkinResources() {
    static SkinResources resources;
    return resources;
}

void InitSkinResources(SkinResources& resources, SkinResourceSource& source) {
    SkinPalette& p = resources.palette;
    p.faceColor = source.ReadSystemColour(SystemColourId::kButtonFace);
    p.lightColor = source.ReadSystemColour(SystemColourId::k3dLight);
    p.shadowColor = source.ReadSystemColour(SystemColourId::kButtonShadow);
    p.darkShadowColor = source.ReadSystemColour(SystemColourId::k3dDarkShadow);
    p.textSysColor = source.ReadSystemColour(SystemColourId::kButtonText);
    p.highlightColor = AdjustLightness(p.lightColor, kHighlightLift);

    if (resources.fontsMade) {
        return;
    }
    resources.fontsMade = true;
    for (FontChoice which : {FontChoice::kNormal, FontChoice::kBold, FontChoice::kLarge}) {
        source.CreateSharedFont(which, SharedFontSpec(which));
    }
}

}  // namespace torvik

#include "controls/win32/skin_resources.h"

#include <algorithm>
#include <array>

#include "platform/win32/win_handle.h"

namespace torvik::win32 {
namespace {

// Released by the static destructors at program end.
std::array<FontHandle, 3>& Fonts() {
    static std::array<FontHandle, 3> fonts;
    return fonts;
}

int SystemIndex(SystemColourId id) {
    switch (id) {
    case SystemColourId::kButtonFace: return COLOR_BTNFACE;
    case SystemColourId::k3dLight: return COLOR_3DLIGHT;
    case SystemColourId::kButtonShadow: return COLOR_BTNSHADOW;
    case SystemColourId::k3dDarkShadow: return COLOR_3DDKSHADOW;
    case SystemColourId::kButtonText: return COLOR_BTNTEXT;
    }
    return COLOR_BTNFACE;
}

class GdiSkinSource final : public SkinResourceSource {
public:
    Colour ReadSystemColour(SystemColourId id) override {
        return static_cast<Colour>(GetSysColor(SystemIndex(id)));
    }

    void CreateSharedFont(FontChoice which, const FontSpec& description) override {
        const LOGFONTA font = LogicalFont(description);
        Fonts()[static_cast<std::size_t>(which)].Reset(CreateFontIndirectA(&font));
    }
};

}  // namespace

LOGFONTA LogicalFont(const FontSpec& description) {
    // A negative height asks for the character height; every field not set stays 0, the
    // defaults (ANSI character set, default precision and quality).
    LOGFONTA font{};
    font.lfHeight = -description.pixelHeight;
    font.lfWeight = description.bold ? FW_BOLD : FW_NORMAL;
    font.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    const std::size_t length = std::min(description.faceName.size(), sizeof(font.lfFaceName) - 1);
    std::copy_n(description.faceName.data(), length, font.lfFaceName);
    return font;
}

void InitSkinResources() {
    GdiSkinSource source;
    torvik::InitSkinResources(SharedSkinResources(), source);
}

HFONT SharedFont(FontChoice which) { return Fonts()[static_cast<std::size_t>(which)].Get(); }

HFONT SharedFontForChoice(int fontChoice) {
    switch (fontChoice) {
    case 1: return SharedFont(FontChoice::kBold);
    case 2: return SharedFont(FontChoice::kLarge);
    default: return SharedFont(FontChoice::kNormal);
    }
}

}  // namespace torvik::win32

#include "controls/palette.h"

#include <map>
#include <vector>

#include <gtest/gtest.h>

namespace torvik {
namespace {

class FakeSystem : public SkinResourceSource {
public:
    Colour ReadSystemColour(SystemColourId id) override {
        reads.push_back(id);
        return colours[id];
    }
    void CreateSharedFont(FontChoice which, const FontSpec& description) override {
        fonts.push_back({which, description});
    }

    std::map<SystemColourId, Colour> colours{
        {SystemColourId::kButtonFace, Rgb(212, 208, 200)},
        {SystemColourId::k3dLight, Rgb(128, 128, 128)},
        {SystemColourId::kButtonShadow, Rgb(128, 128, 129)},
        {SystemColourId::k3dDarkShadow, Rgb(64, 64, 64)},
        {SystemColourId::kButtonText, Rgb(0, 0, 1)},
    };
    std::vector<SystemColourId> reads;
    std::vector<std::pair<FontChoice, FontSpec>> fonts;
};

TEST(InitSkinResources, ReadsTheFiveColoursInOrderAndDerivesTheHighlight) {
    FakeSystem system;
    SkinResources resources;
    InitSkinResources(resources, system);

    const std::vector<SystemColourId> order{
        SystemColourId::kButtonFace, SystemColourId::k3dLight, SystemColourId::kButtonShadow,
        SystemColourId::k3dDarkShadow, SystemColourId::kButtonText};
    EXPECT_EQ(system.reads, order);
    const SkinPalette& p = resources.palette;
    EXPECT_EQ(p.faceColor, Rgb(212, 208, 200));
    EXPECT_EQ(p.lightColor, Rgb(128, 128, 128));
    EXPECT_EQ(p.shadowColor, Rgb(128, 128, 129));
    EXPECT_EQ(p.darkShadowColor, Rgb(64, 64, 64));
    EXPECT_EQ(p.textSysColor, Rgb(0, 0, 1));
    EXPECT_EQ(p.highlightColor, Rgb(153, 153, 153));  // the light colour lifted by 0.1
}

TEST(InitSkinResources, MakesTheThreeFontsOnceButRereadsColoursEveryTime) {
    FakeSystem system;
    SkinResources resources;
    InitSkinResources(resources, system);
    ASSERT_EQ(system.fonts.size(), 3u);
    EXPECT_TRUE(resources.fontsMade);

    EXPECT_EQ(system.fonts[0].first, FontChoice::kNormal);
    EXPECT_EQ(system.fonts[0].second, (FontSpec{"MS Sans Serif", 12, false}));
    EXPECT_EQ(system.fonts[1].first, FontChoice::kBold);
    EXPECT_EQ(system.fonts[1].second, (FontSpec{"MS Sans Serif", 12, true}));
    EXPECT_EQ(system.fonts[2].first, FontChoice::kLarge);
    EXPECT_EQ(system.fonts[2].second, (FontSpec{"Arial", 16, true}));

    system.colours[SystemColourId::kButtonFace] = Rgb(1, 2, 3);
    system.colours[SystemColourId::k3dLight] = Rgb(255, 255, 255);
    InitSkinResources(resources, system);
    EXPECT_EQ(system.fonts.size(), 3u);
    EXPECT_EQ(system.reads.size(), 10u);
    EXPECT_EQ(resources.palette.faceColor, Rgb(1, 2, 3));
    EXPECT_EQ(resources.palette.highlightColor, Rgb(252, 252, 252));
}

}  // namespace
}  // namespace torvik

// The main window's layout as the Linux program reads it from the resource script, and the
// dialog-unit conversion it places the controls with.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/control_ids.h"
#include "controls/dialog_template.h"

namespace torvik {
namespace {

std::string ReadResourceFile(const char* name) {
    std::ifstream file(std::string(TORVIK_RESOURCE_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(DialogLayout, TheMainWindowComesFromTheScriptWithTheCoresIds) {
    const std::string script = ReadResourceFile("Torvik.rc");
    const std::string header = ReadResourceFile("resource.h");
    const auto dialog = ParseDialogTemplate(script, header, "IDD_TORVIK_DIALOG");
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->units, (Rect{0, 0, 264, 109}));
    EXPECT_EQ(dialog->caption, "TORVIK - Antenna Switch and Mixer Control");
    EXPECT_EQ(dialog->fontPoints, 8);
    EXPECT_EQ(dialog->fontFace, "MS Sans Serif");
    ASSERT_EQ(dialog->controls.size(), 12u);

    // Every control the core names is there, with the caption the window shows.
    const DialogControl* antenna2 = dialog->Find(ids::AntennaButton(1));
    ASSERT_NE(antenna2, nullptr);
    EXPECT_EQ(antenna2->text, "Antenna 2");
    EXPECT_EQ(antenna2->units, (Rect{90, 43, 174, 56}));
    EXPECT_TRUE(antenna2->HasStyle("BS_PUSHLIKE"));
    ASSERT_NE(dialog->Find(ids::kSwitchRadio), nullptr);
    EXPECT_EQ(dialog->Find(ids::kSwitchRadio)->text, "Antenna Swicth");
    ASSERT_NE(dialog->Find(ids::kOk), nullptr);
    EXPECT_TRUE(dialog->Find(ids::kOk)->HasStyle("BS_DEFPUSHBUTTON"));
    for (int id : {ids::kBanner, ids::kMixerRadio, ids::kSetup, ids::kManual, ids::kStatusText,
                   ids::kExit, ids::AntennaButton(0), ids::AntennaButton(2)}) {
        EXPECT_NE(dialog->Find(id), nullptr) << id;
    }
    // The group box has no id of its own.
    EXPECT_EQ(dialog->Find(-1)->className, "Button");
    EXPECT_EQ(dialog->Find(-1)->text, "Options");
}

TEST(DialogLayout, DamagedScriptsGiveNoLayout) {
    const std::string script = ReadResourceFile("Torvik.rc");
    const std::size_t begin = script.find("IDD_TORVIK_DIALOG DIALOGEX");
    ASSERT_NE(begin, std::string::npos);
    // Cut inside a CONTROL statement, before END, and with a quote never closed.
    const std::size_t control = script.find("CONTROL", begin);
    EXPECT_FALSE(ParseDialogTemplate(script.substr(0, control + 20), "", "IDD_TORVIK_DIALOG"));
    EXPECT_FALSE(ParseDialogTemplate(script.substr(0, script.find("END", begin)), "",
                                     "IDD_TORVIK_DIALOG"));
    EXPECT_FALSE(ParseDialogTemplate("X DIALOGEX 0, 0, 10, 10\nBEGIN\nCONTROL \"open", "", "X"));
    EXPECT_FALSE(ParseDialogTemplate("X DIALOGEX 0, 0, 99999, 10\nBEGIN\nEND", "", "X"));
    EXPECT_FALSE(ParseDialogTemplate(script, "", "IDD_NO_SUCH_DIALOG"));
    // Without the header the names stay unresolved rather than taking a wrong id.
    const auto unresolved = ParseDialogTemplate(script, "", "IDD_TORVIK_DIALOG");
    ASSERT_TRUE(unresolved.has_value());
    EXPECT_EQ(unresolved->Find(ids::AntennaButton(0)), nullptr);
}

TEST(DialogLayout, DialogUnitsScaleByTheFontsBaseUnits) {
    // MS Sans Serif 8 at 96 dpi: 52 letters 312 pixels wide, 13 high.
    const DialogBaseUnits base = BaseUnitsOf(312, 13);
    EXPECT_EQ(base.x, 6);
    EXPECT_EQ(base.y, 13);
    EXPECT_EQ(BaseUnitsOf(287, 16).x, 6);   // 11.04 per letter pair rounds up
    EXPECT_EQ(BaseUnitsOf(260, 16).x, 5);
    // The whole window and one antenna button; position and size are rounded on their own.
    EXPECT_EQ(DialogUnitsToPixels({0, 0, 264, 109}, base), (Rect{0, 0, 396, 177}));
    EXPECT_EQ(DialogUnitsToPixels({4, 43, 91, 56}, base), (Rect{6, 70, 137, 91}));
    EXPECT_EQ(DialogUnitsToPixels({-2, 0, 1, 1}, base), (Rect{-3, 0, 2, 2}));
}

}  // namespace
}  // namespace torvik

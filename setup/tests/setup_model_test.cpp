#include "setup/setup_model.h"

#include <cstring>

#include <gtest/gtest.h>

#include "setup/setup_ids.h"
#include "setup_fakes.h"

namespace torvik {
namespace {

namespace ids = setup_ids;
using testing::FakeAutostart;
using testing::MemorySettings;
using testing::FakeView;

// The box's serial-number field, filled to its end without a NUL, and the section it names.
constexpr char kSerialField[] = {'M', 'I', 'R', 'V', 'A', 'X', '8', 'A', '1'};
constexpr const char* kSection = "MIRVAX8A1_KEYSET";

class SetupPagesTest : public ::testing::Test {
protected:
    FakeView view;
    MemorySettings settings;
    FakeAutostart autostart;
    SetupPages pages{view};
    // The records the main window runs on. Most cases start from the dialog's own defaults,
    // so that a page without a stored CONFIG opens with Global deactivated.
    ConfigBlock inEffect = SetupDefaults();

    void Open() { pages.Open(settings, kSerialField, autostart, inEffect); }
    // A page button click: the dialog hands over what the edit shows.
    void Click(int page) { pages.SelectPage(page, view.Text(ids::kProgramEdit)); }
    void Close(SetupEnd end) {
        pages.Close(end, view.Text(ids::kProgramEdit), settings, autostart);
    }
    void PressOk() { Close(SetupEnd::kOk); }
    const ConfigBlock& Written() { return settings.configs.at(kSection); }

    // Every control of an antenna row is enabled exactly when `enabled`.
    void ExpectRowEnabled(std::size_t row, bool enabled) {
        for (int id : {ids::kKeyButton[row], ids::kAltButton[row], ids::kCtrlButton[row],
                       ids::kShiftButton[row], ids::kWinButton[row], ids::kAntennaGroup[row],
                       ids::kKeyLabel[row], ids::kPlusLabel[row]}) {
            EXPECT_EQ(view.Enabled(id), enabled) << "row " << row << " control " << id;
        }
    }
    void ExpectModifiers(std::size_t row, bool alt, bool ctrl, bool shift, bool win) {
        EXPECT_EQ(view.Checked(ids::kAltButton[row]), alt) << "row " << row;
        EXPECT_EQ(view.Checked(ids::kCtrlButton[row]), ctrl) << "row " << row;
        EXPECT_EQ(view.Checked(ids::kShiftButton[row]), shift) << "row " << row;
        EXPECT_EQ(view.Checked(ids::kWinButton[row]), win) << "row " << row;
    }
    void ExpectPageButtons(int page) {
        for (int p = 0; p < 5; ++p) {
            EXPECT_EQ(view.Checked(ids::kPageButton[static_cast<std::size_t>(p)]), p == page);
        }
    }
};

TEST_F(SetupPagesTest, AnUnreadableStoredBlockShowsTheDialogDefaultsAndSaysSo) {
    settings.unreadable.insert(kSection);
    settings.scribbleOnFailedRead = true;  // whatever a failed read leaves behind is not used
    inEffect = MainDefaults();             // not what an unreadable block falls back to
    Open();
    EXPECT_EQ(view.Text(ids::kNote), SetupPages::kUnreadableNote);

    // Global page: deactivated in the dialog's defaults.
    ExpectPageButtons(0);
    EXPECT_EQ(view.Text(ids::kCaptionGroup), "Global Function Configuration");
    EXPECT_EQ(view.Text(ids::kProgramStatic), "Global Control not active - suspended");
    EXPECT_TRUE(view.Shown(ids::kProgramStatic));
    EXPECT_FALSE(view.Shown(ids::kProgramEdit));
    EXPECT_TRUE(view.Checked(ids::kDeactivate));
    EXPECT_FALSE(view.Checked(ids::kAutostart));
    for (std::size_t row = 0; row < 3; ++row) {
        ExpectRowEnabled(row, false);
        ExpectModifiers(row, false, false, false, false);
    }
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[0]), "NUM PAD 1");
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[1]), "NUM PAD 2");
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[2]), "NUM PAD 3");

    Click(1);
    ExpectPageButtons(1);
    EXPECT_EQ(view.Text(ids::kCaptionGroup), "1. Function Configuration");
    EXPECT_TRUE(view.Shown(ids::kProgramEdit));
    EXPECT_FALSE(view.Shown(ids::kProgramStatic));
    EXPECT_EQ(view.Text(ids::kProgramEdit), "Tessiv.exe");
    EXPECT_FALSE(view.Checked(ids::kDeactivate));
    for (std::size_t row = 0; row < 3; ++row) {
        ExpectRowEnabled(row, true);
        ExpectModifiers(row, false, true, false, false);
    }

    Click(3);
    EXPECT_EQ(view.Text(ids::kCaptionGroup), "3. Function Configuration");
    EXPECT_EQ(view.Text(ids::kProgramStatic), "3.Config not active - suspended");
    EXPECT_TRUE(view.Shown(ids::kProgramStatic));
    EXPECT_FALSE(view.Shown(ids::kProgramEdit));
    ExpectRowEnabled(0, false);

    EXPECT_EQ(std::memcmp(&pages.WorkingCopy(), &SetupDefaults()[0], sizeof(ConfigBlock)), 0);
}

TEST_F(SetupPagesTest, WithoutAStoredBlockTheRecordsInEffectAreShownAndOkKeepsThem) {
    inEffect = MainDefaults();   // Global active, as the main window runs without CONFIG
    view.Type(ids::kNote, "left from before");
    Open();
    EXPECT_EQ(view.Text(ids::kProgramStatic), "Control for all Programs on Desktop");
    EXPECT_FALSE(view.Checked(ids::kDeactivate));
    ExpectRowEnabled(0, true);
    ExpectModifiers(0, false, true, false, false);
    EXPECT_EQ(view.Text(ids::kNote), "");
    PressOk();
    EXPECT_EQ(std::memcmp(&Written(), &inEffect, sizeof(ConfigBlock)), 0);
}

TEST_F(SetupPagesTest, TheNoteWarnsOfSharedAndBareKeysOnTheActivePageAsTheyChange) {
    ConfigBlock stored = MainDefaults();
    settings.configs[kSection] = stored;
    Open();
    EXPECT_EQ(view.Text(ids::kNote), "");

    pages.SetKey(1, 2091);   // antenna 2 gets NUM PAD 1 with CTRL, as antenna 1 has
    EXPECT_EQ(view.Text(ids::kNote),
              "Antennas 1 and 2 have the same keys: they choose only antenna 1.");
    pages.ToggleModifier(2, Modifier::kCtrl);   // antenna 3: NUM PAD 3 alone
    EXPECT_EQ(view.Text(ids::kNote),
              "Antennas 1 and 2 have the same keys: they choose only antenna 1.\n"
              "Antenna 3: a key without ALT, CTRL, SHIFT or WIN is taken from every program.");
    pages.ToggleModifier(1, Modifier::kShift);  // antenna 2 differs again
    EXPECT_EQ(view.Text(ids::kNote),
              "Antenna 3: a key without ALT, CTRL, SHIFT or WIN is taken from every program.");

    // A deactivated page registers no keys and warns of nothing; another page has its own.
    pages.ToggleDeactivated();
    EXPECT_EQ(view.Text(ids::kNote), "");
    pages.ToggleDeactivated();
    Click(1);
    EXPECT_EQ(view.Text(ids::kNote), "");
    PressOk();   // storing stays allowed
    EXPECT_EQ(Written()[0].ctrlFlag[2], 0);
}

TEST_F(SetupPagesTest, OpensOnGlobalWithTheStoredRecordsAndItsButtonRowsLaidOut) {
    ConfigBlock stored = MainDefaults();  // Global active
    stored[0].keyCode[1] = 0x74;          // F5
    stored[0].winFlag[2] = 1;
    settings.configs[kSection] = stored;
    settings.configs["ZELKOR5B2_KEYSET"] = SetupDefaults();  // another box's section

    ASSERT_TRUE(view.rows.empty());
    Open();
    using Row = testing::FakeView::Row;
    EXPECT_EQ(view.rows, (std::vector<Row>{{{2250, 2251, 2252, 2253, 2254}, 2},
                                           {{2201, 2211, 2221, 2231}, 1},
                                           {{2202, 2212, 2222, 2232}, 1},
                                           {{2203, 2213, 2223, 2233}, 1}}));
    ExpectPageButtons(0);
    EXPECT_EQ(view.Text(ids::kCaptionGroup), "Global Function Configuration");
    EXPECT_EQ(view.Text(ids::kProgramStatic), "Control for all Programs on Desktop");
    EXPECT_TRUE(view.Shown(ids::kProgramStatic));
    EXPECT_FALSE(view.Shown(ids::kProgramEdit));
    EXPECT_FALSE(view.Checked(ids::kDeactivate));
    ExpectRowEnabled(1, true);
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[1]), "F5");
    ExpectModifiers(2, false, true, false, true);
}

TEST_F(SetupPagesTest, DeactivatingHidesTheModifiersAndActivatingShowsThemAgain) {
    Open();
    Click(2);
    pages.ToggleModifier(1, Modifier::kAlt);
    pages.ToggleModifier(2, Modifier::kCtrl);
    ExpectModifiers(1, true, true, false, false);
    ExpectModifiers(2, false, false, false, false);

    pages.ToggleDeactivated();
    EXPECT_TRUE(view.Checked(ids::kDeactivate));
    EXPECT_EQ(view.Text(ids::kProgramStatic), "2.Config not active - suspended");
    for (std::size_t row = 0; row < 3; ++row) {
        ExpectRowEnabled(row, false);
        ExpectModifiers(row, false, false, false, false);
    }
    // Disabled buttons take no clicks.
    pages.ToggleModifier(0, Modifier::kShift);
    pages.SetKey(0, 2073);
    EXPECT_EQ(pages.WorkingCopy()[2].shiftFlag[0], 0);
    EXPECT_EQ(pages.WorkingCopy()[2].keyCode[0], 0x61);

    pages.ToggleDeactivated();
    EXPECT_FALSE(view.Checked(ids::kDeactivate));
    ExpectRowEnabled(0, true);
    ExpectModifiers(0, false, true, false, false);
    ExpectModifiers(1, true, true, false, false);
    ExpectModifiers(2, false, false, false, false);

    // The Global page can be activated the same way.
    Click(0);
    pages.ToggleDeactivated();
    EXPECT_EQ(view.Text(ids::kProgramStatic), "Control for all Programs on Desktop");
    ExpectRowEnabled(2, true);
    EXPECT_EQ(pages.WorkingCopy()[0].deactivated, 0);
}

TEST_F(SetupPagesTest, ModifierToggleFlipsOneByteAndTouchesOnlyItsButton) {
    ConfigBlock stored = SetupDefaults();
    stored[1].shiftFlag[0] = 5;  // any nonzero value is on
    settings.configs[kSection] = stored;
    Open();
    Click(1);
    EXPECT_TRUE(view.Checked(ids::kShiftButton[0]));

    view.calls = 0;
    pages.ToggleModifier(0, Modifier::kShift);
    EXPECT_EQ(view.calls, 1);
    EXPECT_FALSE(view.Checked(ids::kShiftButton[0]));
    EXPECT_EQ(pages.WorkingCopy()[1].shiftFlag[0], 0);

    pages.ToggleModifier(2, Modifier::kWin);
    EXPECT_TRUE(view.Checked(ids::kWinButton[2]));
    EXPECT_EQ(pages.WorkingCopy()[1].winFlag[2], 1);
    pages.ToggleModifier(2, Modifier::kWin);
    EXPECT_EQ(pages.WorkingCopy()[1].winFlag[2], 0);

    pages.ToggleModifier(3, Modifier::kAlt);   // no such row
    pages.ToggleModifier(-1, Modifier::kAlt);
    EXPECT_EQ(pages.WorkingCopy()[1].altFlag[3], stored[1].altFlag[3]);
}

TEST_F(SetupPagesTest, ProgramNameIsCutTo63CharactersWithTheLastByteZero) {
    ConfigBlock stored = SetupDefaults();
    std::memset(stored[2].programName, 'x', sizeof stored[2].programName);  // no zero at all
    settings.configs[kSection] = stored;
    Open();

    Click(2);
    EXPECT_EQ(view.Text(ids::kProgramEdit), std::string(64, 'x'));  // read within the field

    const std::string longName = std::string(60, 'a') + "0123456789";
    view.Type(ids::kProgramEdit, longName);
    PressOk();
    const FunctionConfig& record = Written()[2];
    EXPECT_EQ(std::string(record.programName), longName.substr(0, 63));
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&record)[105], 0);
}

TEST_F(SetupPagesTest, TypedNameSurvivesAPageSwitchAndIsStoredOnOk) {
    Open();
    Click(2);
    view.Type(ids::kProgramEdit, "Karrow.exe");
    Click(0);
    EXPECT_STREQ(pages.WorkingCopy()[2].programName, "Karrow.exe");
    EXPECT_FALSE(view.Shown(ids::kProgramEdit));
    Click(2);
    EXPECT_EQ(view.Text(ids::kProgramEdit), "Karrow.exe");

    Click(1);  // leaving page 2 again does not disturb page 1's name
    EXPECT_EQ(view.Text(ids::kProgramEdit), "Tessiv.exe");
    view.Type(ids::kProgramEdit, "");
    PressOk();
    EXPECT_STREQ(Written()[2].programName, "Karrow.exe");
    EXPECT_STREQ(Written()[1].programName, "");
}

TEST_F(SetupPagesTest, EditTextOnTheGlobalPageIsNotStored) {
    Open();
    view.Type(ids::kProgramEdit, "ignored.exe");
    Click(1);
    PressOk();
    EXPECT_STREQ(Written()[0].programName, "");
    EXPECT_STREQ(Written()[1].programName, "Tessiv.exe");
}

TEST_F(SetupPagesTest, DeactivateToggleOnANumberedPageBringsBackTheStoredName) {
    Open();
    Click(1);
    view.Type(ids::kProgramEdit, "typed.exe");
    pages.ToggleDeactivated();
    EXPECT_EQ(view.Text(ids::kProgramEdit), "Tessiv.exe");
    pages.ToggleDeactivated();
    EXPECT_EQ(view.Text(ids::kProgramEdit), "Tessiv.exe");
    EXPECT_TRUE(view.Shown(ids::kProgramEdit));
    PressOk();
    EXPECT_STREQ(Written()[1].programName, "Tessiv.exe");
}

TEST_F(SetupPagesTest, KeyOutsideTheTableShowsF1AndIsKeptUnlessChosen) {
    ConfigBlock stored = SetupDefaults();
    stored[1].keyCode[0] = 0x41;
    stored[1].keyCode[1] = 0x7C;
    settings.configs[kSection] = stored;
    Open();
    Click(1);
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[0]), "F1");
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[1]), "F1");

    pages.SetKey(1, 2084);  // F12
    PressOk();
    EXPECT_EQ(Written()[1].keyCode[0], 0x41);
    EXPECT_EQ(Written()[1].keyCode[1], 0x7B);
}

TEST_F(SetupPagesTest, ChosenKeysStoreTheirCodesAndADismissedDropDownNothing) {
    Open();
    Click(1);
    pages.SetKey(0, 2073);
    EXPECT_EQ(pages.WorkingCopy()[1].keyCode[0], 0x70);
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[0]), "F1");

    pages.SetKey(2, 2090);
    EXPECT_EQ(pages.WorkingCopy()[1].keyCode[2], 0x60);
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[2]), "NUM PAD 0");

    pages.SetKey(1, 0);  // dismissed
    pages.SetKey(1, -1);
    EXPECT_EQ(pages.WorkingCopy()[1].keyCode[1], 0x62);
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[1]), "NUM PAD 2");

    pages.SetKey(1, 2085);  // not a key item
    EXPECT_EQ(pages.WorkingCopy()[1].keyCode[1], 0x70);
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[1]), "F1");

    // Another page keeps its own keys.
    Click(2);
    EXPECT_EQ(view.KeyCaption(ids::kKeyButton[0]), "NUM PAD 1");
}

TEST_F(SetupPagesTest, CancelStoresNothingWhereOkWouldStoreEverything) {
    autostart.registered = true;
    Open();
    Click(1);
    pages.ToggleModifier(0, Modifier::kAlt);
    pages.SetKey(0, 2080);
    pages.ToggleDeactivated();
    pages.ToggleAutostart();
    view.Type(ids::kProgramEdit, "typed.exe");
    Close(SetupEnd::kCancel);
    EXPECT_EQ(settings.configWrites, 0);
    EXPECT_TRUE(settings.configs.empty());
    EXPECT_EQ(autostart.enables + autostart.disables, 0);
    EXPECT_TRUE(autostart.registered);

    // The same edits closed with OK store the record and remove the entry.
    PressOk();
    EXPECT_EQ(settings.configWrites, 1);
    EXPECT_STREQ(Written()[1].programName, "typed.exe");
    EXPECT_EQ(autostart.disables, 1);
    EXPECT_FALSE(autostart.registered);
}

TEST_F(SetupPagesTest, OkWritesTheWorkingCopyKeepingBytesTheDialogDoesNotEdit) {
    ConfigBlock stored = SetupDefaults();
    for (FunctionConfig& record : stored) {
        record.reserved = 0x5A;
        for (int slot = 3; slot < 8; ++slot) {
            record.keyCode[slot] = static_cast<std::uint8_t>(0x30 + slot);
            record.altFlag[slot] = 1;
            record.winFlag[slot] = 2;
        }
    }
    settings.configs[kSection] = stored;
    Open();
    Click(4);
    pages.ToggleDeactivated();
    pages.ToggleModifier(1, Modifier::kShift);
    pages.SetKey(2, 2099);
    view.Type(ids::kProgramEdit, "Rig.exe");
    PressOk();

    ConfigBlock expected = stored;
    expected[4].deactivated = 0;
    expected[4].shiftFlag[1] = 1;
    expected[4].keyCode[2] = 0x69;
    std::strcpy(expected[4].programName, "Rig.exe");
    EXPECT_EQ(settings.configWrites, 1);
    EXPECT_EQ(std::memcmp(&Written(), &expected, sizeof expected), 0);
    EXPECT_EQ(std::memcmp(&Written(), &pages.WorkingCopy(), sizeof expected), 0);
}

TEST_F(SetupPagesTest, AutostartToggledTwiceLeavesTheEntryAlone) {
    Open();
    pages.ToggleAutostart();
    EXPECT_TRUE(view.Checked(ids::kAutostart));
    pages.ToggleAutostart();
    EXPECT_FALSE(view.Checked(ids::kAutostart));
    PressOk();
    EXPECT_EQ(autostart.enables + autostart.disables, 0);
}

TEST_F(SetupPagesTest, AutostartOnEnablesOnOkAndOffDisablesIt) {
    Open();
    EXPECT_FALSE(view.Checked(ids::kAutostart));
    pages.ToggleAutostart();
    EXPECT_EQ(autostart.enables, 0);  // nothing before OK
    PressOk();
    EXPECT_EQ(autostart.enables, 1);
    EXPECT_TRUE(autostart.registered);

    // The next opening shows it checked; unchecking removes it.
    FakeView nextView;
    SetupPages next(nextView);
    next.Open(settings, kSerialField, autostart, inEffect);
    EXPECT_TRUE(nextView.Checked(ids::kAutostart));
    next.ToggleAutostart();
    next.Close(SetupEnd::kOk, "", settings, autostart);
    EXPECT_EQ(autostart.disables, 1);
    EXPECT_FALSE(autostart.registered);
}

TEST_F(SetupPagesTest, AnEntryFoundAtOpenShowsCheckedAndIsLeftAlone) {
    autostart.registered = true;
    Open();
    EXPECT_TRUE(view.Checked(ids::kAutostart));
    Click(3);
    EXPECT_TRUE(view.Checked(ids::kAutostart));
    PressOk();
    EXPECT_EQ(autostart.enables + autostart.disables, 0);
}

TEST_F(SetupPagesTest, ClicksAreRoutedByControlId) {
    Open();
    EXPECT_TRUE(pages.HandleClick(ids::kPageButton[2], "", -1));
    EXPECT_EQ(pages.CurrentPage(), 2);
    EXPECT_TRUE(pages.HandleClick(ids::kKeyButton[1], "", 2077));   // F5 on antenna 2
    EXPECT_TRUE(pages.HandleClick(ids::kAltButton[2], "", -1));
    EXPECT_TRUE(pages.HandleClick(ids::kCtrlButton[0], "", -1));
    EXPECT_TRUE(pages.HandleClick(ids::kShiftButton[1], "", -1));
    EXPECT_TRUE(pages.HandleClick(ids::kWinButton[0], "", -1));
    const FunctionConfig& record = pages.WorkingCopy()[2];
    EXPECT_EQ(record.keyCode[1], 0x74);
    EXPECT_EQ(record.altFlag[2], 1);
    EXPECT_EQ(record.ctrlFlag[0], 0);
    EXPECT_EQ(record.shiftFlag[1], 1);
    EXPECT_EQ(record.winFlag[0], 1);

    EXPECT_TRUE(pages.HandleClick(ids::kAutostart, "", -1));
    EXPECT_TRUE(pages.AutostartRequested());
    EXPECT_TRUE(pages.HandleClick(ids::kDeactivate, "", -1));
    EXPECT_EQ(record.deactivated, 1);

    EXPECT_FALSE(pages.HandleClick(ids::kOk, "", -1));
    EXPECT_FALSE(pages.HandleClick(ids::kCancel, "", -1));
    EXPECT_FALSE(pages.HandleClick(ids::kProgramEdit, "", -1));
}

}  // namespace
}  // namespace torvik

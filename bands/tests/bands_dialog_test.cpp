#include "bands/bands_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bands/band_store.h"
#include "bands/dialog_input.h"
#include "bands/tests/rig_fakes.h"
#include "core/settings.h"
#include "tests/fakes/temp_folder.h"

namespace torvik::bands {
namespace {

// The dialog's window as text fields the test types into.
class TypedDialog final : public BandsDialogView {
public:
    std::string source, rules, notes, hang;
    bool follow = false;
    bool protect = false;
    bool closed = false;
    std::vector<std::string> warnings;

    std::string SourceText() const override { return source; }
    std::string RulesText() const override { return rules; }
    void ShowFields(const std::string& s, const std::string& r) override {
        source = s;
        rules = r;
    }
    void ShowFollow(bool on) override { follow = on; }
    void ShowProtect(bool on) override { protect = on; }
    std::string HangText() const override { return hang; }
    void ShowHang(const std::string& text) override { hang = text; }
    void ShowNotes(const std::string& text) override { notes = text; }
    void Warn(const std::string& text) override { warnings.push_back(text); }
    void Close() override { closed = true; }
};

class BandsDialogTest : public ::testing::Test {
protected:
    torvik::testing::TempFolder folder;
    IniSettings store{folder.path().string()};
    testing::FakeSocket socket;
    TypedDialog window;

    void Store(const BandPlan& plan) {
        ASSERT_TRUE(SavePlan(store, BandsSectionName("A1MIRVAX8"), plan));
    }
};

TEST_F(BandsDialogTest, ShowsThePlanAndOkStoresWhatWasTypedThenCloses) {
    Store({false, "127.0.0.1:4532", {{1800000, 2000000, 1}}});
    BandFollowing following(socket, [](std::uint32_t) {}, store);
    following.UseBox("A1MIRVAX8", 0);
    BandsDialog dialog(following, window, [] { return Millis{0}; });
    dialog.Start();
    EXPECT_EQ(window.source, "127.0.0.1:4532");
    EXPECT_EQ(window.rules, "1800000 2000000 1\n");
    EXPECT_FALSE(window.follow);
    EXPECT_EQ(window.notes, "");

    dialog.ToggleFollow();
    EXPECT_TRUE(window.follow);
    window.rules = "1800000 2000000 1\r\n1900000 30000000 2\r\n";   // as an edit control holds it
    dialog.FieldChanged();
    EXPECT_NE(window.notes.find("the first wins"), std::string::npos);

    window.source = "rig:4532";
    dialog.FieldChanged();
    EXPECT_EQ(window.notes.rfind("Source: ", 0), 0u);
    dialog.Ok();
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0].rfind("Source: ", 0), 0u);
    EXPECT_FALSE(window.closed);
    EXPECT_FALSE(LoadPlan(store, "A1MIRVAX8_BANDS").plan.follow);

    window.source = "localhost:4533";
    dialog.Ok();
    EXPECT_TRUE(window.closed);
    EXPECT_EQ(window.warnings.size(), 1u);
    const BandPlan stored = LoadPlan(store, "A1MIRVAX8_BANDS").plan;
    EXPECT_TRUE(stored.follow);
    EXPECT_EQ(stored.source, "127.0.0.1:4533");
    EXPECT_EQ(stored.rules.size(), 2u);
    EXPECT_TRUE(following.follower().Active());
}

// The switch for antennas off while transmitting and its hang time: shown as stored, a hang
// time out of range refused with a message naming the field, a good one stored with the switch.
TEST_F(BandsDialogTest, TheTransmitSwitchAndHangTimeAreShownCheckedAndStored) {
    BandPlan plan{true, "127.0.0.1:4532", {}};
    plan.hangMs = 450;
    Store(plan);
    BandFollowing following(socket, [](std::uint32_t) {}, store);
    following.UseBox("A1MIRVAX8", 0);
    BandsDialog dialog(following, window, [] { return Millis{0}; });
    dialog.Start();
    EXPECT_FALSE(window.protect);
    EXPECT_EQ(window.hang, "450");

    dialog.ToggleProtect();
    EXPECT_TRUE(window.protect);
    window.hang = "10001";
    dialog.Ok();
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0], "Hang time: '10001' is not a hang time (0 to 10000 ms)");
    EXPECT_FALSE(LoadPlan(store, "A1MIRVAX8_BANDS").plan.protect);

    window.hang = " 1200 ";
    dialog.Ok();
    EXPECT_TRUE(window.closed);
    const BandPlan stored = LoadPlan(store, "A1MIRVAX8_BANDS").plan;
    EXPECT_TRUE(stored.protect);
    EXPECT_EQ(stored.hangMs, 1200u);
}

// With names, the notes name each rule's antennas, as typed; without, they say nothing of them.
TEST_F(BandsDialogTest, TheNotesNameTheRulesAntennasOnceTheBoxNamesThem) {
    Store({false, "127.0.0.1:4532", {{1800000, 2000000, 1}}});
    BandFollowing following(socket, [](std::uint32_t) {}, store);
    following.UseBox("A1MIRVAX8", 0);
    std::string names[3];
    following.NameMasks([&](std::uint32_t mask) {
        if (names[0].empty()) return std::string();
        std::string text;
        for (int i = 0; i < 3; ++i) {
            if ((mask >> i & 1) == 0) continue;
            text += (text.empty() ? "" : ", ") + names[i];
        }
        return text;
    });
    BandsDialog dialog(following, window, [] { return Millis{0}; });
    dialog.Start();
    EXPECT_EQ(window.notes, "");

    names[0] = "Mini-Whip";
    names[1] = "Beverage NE";
    names[2] = "Antenna 3";
    window.rules = "1800000 2000000 1\n3500000 30000000 6\n";
    dialog.FieldChanged();
    EXPECT_EQ(window.notes, "Antennas: 1 Mini-Whip; 2 Beverage NE, Antenna 3");
    window.rules += "x\n";   // a mistake: its note alone
    dialog.FieldChanged();
    EXPECT_EQ(window.notes.rfind("Rules, line 3: ", 0), 0u) << window.notes;
    EXPECT_EQ(window.notes.find("Antennas:"), std::string::npos);
}

TEST_F(BandsDialogTest, AFileThatCannotBeWrittenKeepsTheDialogOpenWithItsMessage) {
    // Torvik.ini is a folder here, so no write can replace it.
    std::filesystem::create_directory(store.Path());
    BandFollowing following(socket, [](std::uint32_t) {}, store);
    following.UseBox("A1MIRVAX8", 0);
    BandsDialog dialog(following, window, [] { return Millis{0}; });
    dialog.Start();
    dialog.ToggleFollow();
    dialog.Ok();
    EXPECT_EQ(window.warnings, (std::vector<std::string>{kNotStoredText}));
    EXPECT_FALSE(window.closed);
    EXPECT_FALSE(following.plan().follow);
}

}  // namespace
}  // namespace torvik::bands

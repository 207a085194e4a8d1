#include <vector>

#include "app/tests/controller_fixture.h"

namespace torvik::testing {
namespace {

using Strings = std::vector<std::string>;
using Flagset = std::vector<std::int32_t>;

class AntennaRulesTest : public ControllerTest {
protected:
    // The antenna keys as stored by each SetAntenna, in order.
    Strings Stored(std::initializer_list<std::array<int, 3>> states) const {
        Strings out;
        for (const auto& s : states) {
            const Strings three = AntennaWrites(s[0], s[1], s[2]);
            out.insert(out.end(), three.begin(), three.end());
        }
        return out;
    }
};

TEST_F(AntennaRulesTest, SwitchModeSelectsAloneInTheOrderOutputRefreshStore) {
    StartWithBox();
    controller.AntennaAction(2);
    EXPECT_EQ(Flags(), (Flagset{0, 0, 1, 0}));
    EXPECT_EQ(journal, (Strings{"byte 09", "check 1001 0", "check 1002 0",
                                "check 1003 1", "check 1005 1", "check 1006 0",
                                "store ANTENNA-1=0", "store ANTENNA-2=0",
                                "store ANTENNA-3=1"}));

    // The antenna that is on, pressed again: stays on, written and stored again.
    ForgetHistory();
    controller.AntennaAction(2);
    EXPECT_EQ(Flags(), (Flagset{0, 0, 1, 0}));
    EXPECT_EQ(box.BytesWritten(), (std::vector<std::uint8_t>{0x09}));
    EXPECT_EQ(settings.writes, Stored({{0, 0, 1}}));
}

TEST_F(AntennaRulesTest, SwitchModeSelectingTheFourthKeepsItAndClearsTheAntennas) {
    StartWithBox();
    controller.SetAntenna(0, 3);
    EXPECT_EQ(Flags(), (Flagset{0, 0, 0, 1}));
    controller.SetAntenna(0, 5);   // index taken modulo 4
    EXPECT_EQ(Flags(), (Flagset{0, 1, 0, 1}));
    controller.SetAntenna(1, -3);  // a negative index stays inside the flags
    EXPECT_EQ(Flags(), (Flagset{0, 1, 0, 1}));
    EXPECT_EQ(controller.runFlag, 8);
}

TEST_F(AntennaRulesTest, MixerModeTogglesAndAllowsAllOff) {
    StartWithBox();
    controller.SetMixerMode();
    ForgetHistory();
    controller.AntennaAction(0);   // antenna 1 off: none on
    EXPECT_EQ(Flags(), (Flagset{0, 0, 0, 0}));
    controller.AntennaAction(2);
    controller.AntennaAction(1);
    EXPECT_EQ(Flags(), (Flagset{0, 1, 1, 0}));
    EXPECT_EQ(box.BytesWritten(),
              (std::vector<std::uint8_t>{0x08, 0x09, 0x0D}));
    EXPECT_EQ(settings.writes, Stored({{0, 0, 0}, {0, 0, 1}, {0, 1, 1}}));
}

TEST_F(AntennaRulesTest, MixerToggleTurnsAnOddStoredValueOff) {
    settings.ints[{kBoxSection, "ANTENNA-2"}] = 5;
    settings.ints[{kBoxSection, "SWITCHMIXER"}] = 1;
    StartWithBox();
    controller.AntennaAction(1);
    EXPECT_EQ(controller.antennaOn[1], 0);
    controller.AntennaAction(1);
    EXPECT_EQ(controller.antennaOn[1], 1);
}

TEST_F(AntennaRulesTest, ModeChangesStoreTheModeWithTheAntennaKeysTheyChange) {
    StartWithBox();
    controller.SetMixerMode();
    EXPECT_EQ(settings.writes, (Strings{kBoxSection + " SWITCHMIXER=1"}));
    EXPECT_EQ(Flags(), (Flagset{1, 0, 0, 0}));   // no antenna changes
    EXPECT_EQ(journal.front(), "store SWITCHMIXER=1");
    EXPECT_EQ(box.BytesWritten().size(), 1u);     // one write for the change

    controller.AntennaAction(0);
    controller.AntennaAction(1);
    controller.AntennaAction(2);
    EXPECT_EQ(Flags(), (Flagset{0, 1, 1, 0}));
    ForgetHistory();
    controller.SetSwitchMode();   // antennas 2 and 3 on: the first stays
    EXPECT_EQ(Flags(), (Flagset{0, 1, 0, 0}));
    EXPECT_EQ(settings.writes,
              (Strings{kBoxSection + " SWITCHMIXER=0", kBoxSection + " ANTENNA-3=0"}));
    EXPECT_EQ(settings.replacements, (Strings{"SWITCHMIXER ANTENNA-3"}));
    EXPECT_EQ(box.BytesWritten(), (std::vector<std::uint8_t>{0x0C}));
    EXPECT_EQ(view.checked[ids::kSwitchRadio], 1);
    EXPECT_EQ(view.checked[ids::kMixerRadio], 0);

    controller.SetMixerMode();
    controller.AntennaAction(1);   // none on
    ForgetHistory();
    controller.SetSwitchMode();
    EXPECT_EQ(Flags(), (Flagset{1, 0, 0, 0}));
    EXPECT_EQ(settings.writes,
              (Strings{kBoxSection + " SWITCHMIXER=0", kBoxSection + " ANTENNA-1=1"}));
    EXPECT_EQ(settings.replacements, (Strings{"SWITCHMIXER ANTENNA-1"}));

    // One antenna on already: nothing but the mode changes, so nothing else is stored.
    controller.SetMixerMode();
    ForgetHistory();
    controller.SetSwitchMode();
    EXPECT_EQ(settings.replacements, (Strings{"SWITCHMIXER"}));
}

TEST_F(AntennaRulesTest, WithoutABoxOnlyTheMixerFlipHappensInMemory) {
    controller.mixerMode = 1;
    controller.FindDevice();
    ForgetHistory();
    controller.AntennaAction(1);
    EXPECT_EQ(Flags(), (Flagset{1, 1, 0, 0}));
    EXPECT_EQ(controller.GetAntennaMask(), 3 << 16);   // no box ever found: count 0
    controller.SetSwitchMode();
    controller.SetAntenna(1, 2);
    EXPECT_EQ(controller.mixerMode, 1);
    EXPECT_EQ(Flags(), (Flagset{1, 1, 0, 0}));
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(view.events.empty());
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(AntennaRulesTest, AntennaActionIgnoresSlotsOutsideTheThreeAntennas) {
    StartWithBox();
    controller.AntennaAction(3);
    controller.AntennaAction(-1);
    EXPECT_EQ(Flags(), (Flagset{1, 0, 0, 0}));
    EXPECT_TRUE(journal.empty());
}

TEST_F(AntennaRulesTest, MaskInSwitchModeSelectsEachDifferingBitInTurn) {
    StartWithBox();
    // Antenna 1 on, mask names antenna 2. Bit 0 differs (1 -> 0) and reselects antenna 1;
    // bit 1 differs (0 -> 1) and selects antenna 2.
    EXPECT_EQ(controller.SetAntennaMask(0b010), 0b010);
    EXPECT_EQ(settings.writes, Stored({{1, 0, 0}, {0, 1, 0}}));

    ForgetHistory();
    // Antenna 2 on, mask names 1 and 3. Bit 0 selects antenna 1, which clears antenna 2, so
    // bit 1 no longer differs; bit 2 selects antenna 3: the highest named wins.
    EXPECT_EQ(controller.SetAntennaMask(0b101), 0b100);
    EXPECT_EQ(settings.writes, Stored({{1, 0, 0}, {0, 0, 1}}));

    ForgetHistory();
    EXPECT_EQ(controller.SetAntennaMask(0b100), 0b100);   // the one that is on: nothing
    EXPECT_TRUE(journal.empty());

    EXPECT_EQ(controller.SetAntennaMask(0), 0b100);   // 0 leaves the antenna on
    EXPECT_EQ(Flags(), (Flagset{0, 0, 1, 0}));
}

TEST_F(AntennaRulesTest, MaskBitThreeInSwitchModeLeavesOnlyTheFourthFlag) {
    StartWithBox();
    EXPECT_EQ(controller.SetAntennaMask(0b1001), 0b1000);
    EXPECT_EQ(Flags(), (Flagset{0, 0, 0, 1}));
    EXPECT_EQ(box.LastOutput(kBoxLocation), std::optional<std::uint8_t>(0x18));
    // Clearing bit 3 differs from the flag too, and ends the same way.
    EXPECT_EQ(controller.SetAntennaMask(0b0000), 0b1000);
    EXPECT_EQ(Flags(), (Flagset{0, 0, 0, 1}));
}

TEST_F(AntennaRulesTest, MaskInMixerModeBecomesTheFlags) {
    StartWithBox();
    controller.SetMixerMode();
    ForgetHistory();
    EXPECT_EQ(controller.SetAntennaMask(0b1110), 0b1110);
    EXPECT_EQ(Flags(), (Flagset{0, 1, 1, 1}));
    EXPECT_EQ(box.LastOutput(kBoxLocation), std::optional<std::uint8_t>(0x1D));
    EXPECT_EQ(controller.SetAntennaMask(~std::uintptr_t{0}), 0b1111);   // bits above 3 ignored
    EXPECT_EQ(controller.SetAntennaMask(0xFFF0), 0);
    EXPECT_EQ(Flags(), (Flagset{0, 0, 0, 0}));
}

}  // namespace
}  // namespace torvik::testing

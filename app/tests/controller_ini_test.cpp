// The controller with the simulated box and the real settings file in a temporary folder.
#include <filesystem>
#include <random>

#include "app/tests/controller_fixture.h"
#include "tests/fakes/temp_folder.h"

namespace torvik::testing {
namespace {

namespace fs = std::filesystem;

class ControllerWithIni : public ::testing::Test {
protected:
    TempFolder folder;
    IniSettings settings{folder.path().string()};
    Journal journal;
    SimulatedBox box;
    RecordingRegistrar registrar{&journal};
    FakeFocus focus;
    RecordingView view{journal};

    SwitchController Make() { return SwitchController(box, settings, registrar, focus, view); }
};

TEST_F(ControllerWithIni, FirstRunCreatesNoFileAndAChangeSurvivesAReplug) {
    box.devices.push_back({"A1MIRVAX8", "box", 5});
    SwitchController first = Make();
    first.FindDevice();
    EXPECT_FALSE(fs::exists(settings.Path()));   // loading never writes

    first.SetMixerMode();
    first.AntennaAction(2);
    ASSERT_TRUE(fs::exists(settings.Path()));

    // Another run of the program, or the box plugged in again.
    SwitchController second = Make();
    second.FindDevice();
    EXPECT_EQ(second.MixerMode(), 1);
    EXPECT_EQ(second.AntennaOn(0), 1);
    EXPECT_EQ(second.AntennaOn(1), 0);
    EXPECT_EQ(second.AntennaOn(2), 1);
    EXPECT_EQ(box.LastOutput(5), std::optional<std::uint8_t>(0x0B));
}

TEST_F(ControllerWithIni, StoredRecordsDriveTheHotkeysAndBoxesStayApart) {
    ConfigBlock block = MainDefaults();
    block[0].deactivated = 1;
    settings.WriteConfig("A1MIRVAX8_KEYSET", block);
    settings.WriteIniInt("B2ZELKOR5_KEYSET", "ANTENNA-2", 1);

    box.devices.push_back({"A1MIRVAX8", "box", 5});
    SwitchController controller = Make();
    controller.FindDevice();
    ASSERT_EQ(controller.Hotkeys().size(), 3u);
    EXPECT_EQ(controller.Hotkeys()[0].bindingCount, 2);   // records 1 and 2, no Global
    EXPECT_EQ(controller.AntennaOn(1), 0);

    box.devices = {{"B2ZELKOR5", "other", 6}};
    controller.FindDevice();
    EXPECT_EQ(controller.AntennaOn(1), 1);
    EXPECT_EQ(controller.Configs()[0].deactivated, 0);   // B2 has no records stored
    EXPECT_EQ(settings.ReadIniInt("A1MIRVAX8_KEYSET", "ANTENNA-2", -1), -1);
}

}  // namespace
}  // namespace torvik::testing

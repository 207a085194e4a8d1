#include <algorithm>
#include <vector>

#include "app/tests/controller_fixture.h"
#include "device/location_identity.h"
#include "device/box_discovery.h"

namespace torvik::testing {
namespace {

using Strings = std::vector<std::string>;

class DeviceSearchTest : public ControllerTest {};

TEST_F(DeviceSearchTest, TheFirstAcceptedDeviceIsKeptWithThreeAntennas) {
    box.devices.push_back({"", "", 9});
    box.devices[0].heldElsewhere = true;
    box.devices.push_back({"FT12345", "ZELKOR5 in the description only", 1});
    box.devices.push_back({"xxZELKOR5yy", "second", 2});
    box.devices.push_back({"A1MIRVAX8", "third", 3});
    controller.FindDevice();
    EXPECT_TRUE(controller.DevicePresent());
    EXPECT_EQ(controller.Node().serial, "xxZELKOR5yy");
    EXPECT_EQ(controller.Node().description, "second");
    EXPECT_EQ(controller.Node().identity, IdentityOfLocation(2));
    EXPECT_EQ(controller.Node().antennaCount, 3u);
    EXPECT_EQ(controller.Link(), LinkStatus::Ready);   // a box found: the held device does not matter
    EXPECT_EQ(controller.Section(), "xxZELKOR5yy_KEYSET");
}

TEST_F(DeviceSearchTest, AFailedListIsNoBoxAndTheOldNodeIsKept) {
    StartWithBox();
    box.listFails = true;
    controller.FindDevice();
    EXPECT_FALSE(controller.DevicePresent());
    EXPECT_EQ(controller.Node().serial, "A1MIRVAX8");
    EXPECT_EQ(controller.GetAntennaMask() & 0xFFFF, 3);
}

TEST_F(DeviceSearchTest, LoadReadsTheSectionInOrderAndWritesNothing) {
    ConfigBlock stored = MainDefaults();
    stored[0].deactivated = 1;
    settings.configs[kBoxSection] = stored;
    settings.ints[{kBoxSection, "ANTENNA-1"}] = 0;
    settings.ints[{kBoxSection, "ANTENNA-2"}] = 5;
    settings.ints[{kBoxSection, "SWITCHMIXER"}] = 2;
    ControllerPeer::AntennaOn(controller)[3] = 1;
    PlugBox();
    controller.FindDevice();

    EXPECT_EQ(settings.reads, (Strings{kBoxSection + " CONFIG", kBoxSection + " ANTENNA-1",
                                       kBoxSection + " ANTENNA-2", kBoxSection + " ANTENNA-3",
                                       kBoxSection + " SWITCHMIXER", "A1MIRVAX8_NAMES NAME-1",
                                       "A1MIRVAX8_NAMES NAME-2", "A1MIRVAX8_NAMES NAME-3",
                                       "A1MIRVAX8_LOCK LOCKED", "A1MIRVAX8_LOCK PROTECT",
                                       "A1MIRVAX8_LOCK SAVED"}));
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 5, 0, 1}));   // the fourth flag stays
    EXPECT_EQ(controller.MixerMode(), 2);
    EXPECT_EQ(controller.RunFlag(), 8);
    EXPECT_EQ(controller.Configs()[0].deactivated, 1);
    // Global is off, so records 1 and 2 share the three entries.
    ASSERT_EQ(controller.Hotkeys().size(), 3u);
    EXPECT_EQ(controller.Hotkeys()[0].bindingCount, 2);

    // The odd values read as on and as mixer mode everywhere.
    EXPECT_EQ(box.LastOutput(kBoxLocation), std::optional<std::uint8_t>(0x1C));
    controller.RefreshControls();
    EXPECT_EQ(view.checked[ids::kAntenna1 + 1], 1);
    EXPECT_EQ(view.checked[ids::kMixerRadio], 1);
    EXPECT_EQ(view.checked[ids::kSwitchRadio], 0);
}

TEST_F(DeviceSearchTest, NothingStoredGivesTheDefaults) {
    ControllerPeer::AntennaOn(controller)[1] = 1;
    ControllerPeer::SetMixer(controller);
    StartWithBox();
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{1, 0, 0, 0}));
    EXPECT_EQ(controller.MixerMode(), 0);
    const ConfigBlock defaults = MainDefaults();
    EXPECT_EQ(std::memcmp(&controller.Configs(), &defaults, sizeof defaults), 0);
    EXPECT_EQ(box.LastOutput(kBoxLocation), std::optional<std::uint8_t>(0x0A));
}

// A store whose CONFIG read scribbles over the block before it reports failure.
TEST_F(DeviceSearchTest, AFailedConfigReadLeavesTheDefaultsWhole) {
    MemorySettings scribbler;
    scribbler.scribbleOnFailedRead = true;
    SwitchController other(box, scribbler, registrar, focus, view);
    PlugBox();
    other.FindDevice();
    const ConfigBlock defaults = MainDefaults();
    EXPECT_EQ(std::memcmp(&other.Configs(), &defaults, sizeof defaults), 0);
}

TEST_F(DeviceSearchTest, LoadWithoutABoxLeavesTheStateAndResetsTheRecords) {
    settings.configs[kBoxSection] = SetupDefaults();
    settings.ints[{kBoxSection, "ANTENNA-3"}] = 1;
    settings.ints[{kBoxSection, "SWITCHMIXER"}] = 1;
    StartWithBox();
    ASSERT_EQ(controller.Configs()[0].deactivated, 1);

    box.devices.clear();   // unplugged
    controller.FindDevice();
    EXPECT_FALSE(controller.DevicePresent());
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{1, 0, 1, 0}));
    EXPECT_EQ(controller.MixerMode(), 1);
    EXPECT_EQ(controller.Configs()[0].deactivated, 0);   // back to the defaults
    EXPECT_TRUE(settings.reads.empty());
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_TRUE(registrar.events.empty());   // the hotkeys stay registered
    EXPECT_EQ(controller.Hotkeys().size(), 3u);
    EXPECT_EQ(box.Calls().size(), 1u);       // the list call only; nothing is written
}

TEST_F(DeviceSearchTest, EachBoxKeepsItsOwnSection) {
    settings.ints[{"A1MIRVAX8_KEYSET", "ANTENNA-2"}] = 1;
    settings.ints[{"B2ZELKOR5_KEYSET", "ANTENNA-3"}] = 1;
    PlugBox("A1MIRVAX8", 1);
    controller.FindDevice();
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{1, 1, 0, 0}));

    box.devices.clear();
    PlugBox("B2ZELKOR5", 2);
    controller.FindDevice();
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{1, 0, 1, 0}));
    settings.writes.clear();
    controller.AntennaAction(0);
    EXPECT_EQ(settings.writes, (Strings{"B2ZELKOR5_KEYSET ANTENNA-1=1",
                                        "B2ZELKOR5_KEYSET ANTENNA-2=0",
                                        "B2ZELKOR5_KEYSET ANTENNA-3=0"}));
    EXPECT_EQ(StoredInt("A1MIRVAX8_KEYSET", "ANTENNA-2"), 1);
    EXPECT_EQ(box.LastOutput(2), std::optional<std::uint8_t>(0x0A));
    EXPECT_EQ(box.LastOutput(1), std::optional<std::uint8_t>(0x0E));   // A1 keeps its byte
}

TEST_F(DeviceSearchTest, PresenceDisplayFollowsTheBox) {
    controller.FindDevice();
    EXPECT_EQ(view.events,
              (Strings{"show 1009 1", "show 1001 0", "show 1002 0", "show 1003 0",
                       "enable 1007 0", "enable 1 0", "enable 1006 0", "enable 1005 0",
                       "enable 1001 0", "enable 1002 0", "enable 1003 0"}));
    view.events.clear();

    PlugBox();
    controller.FindDevice();
    EXPECT_EQ(view.events,
              (Strings{"show 1009 0", "show 1001 1", "show 1002 1", "show 1003 1",
                       "enable 1007 1", "enable 1 1", "enable 1006 1", "enable 1005 1",
                       "enable 1001 1", "enable 1002 1", "enable 1003 1",
                       "layout"}));
    // The load writes the byte; the presence display writes nothing.
    EXPECT_EQ(box.BytesWritten(), (std::vector<std::uint8_t>{0x0A}));
}

TEST_F(DeviceSearchTest, RefreshWithoutABoxClearsAllFiveButtons) {
    StartWithBox();
    controller.SetMixerMode();
    box.devices.clear();
    controller.FindDevice();
    controller.RefreshControls();
    for (int id : {1001, 1002, 1003, 1005, 1006}) EXPECT_EQ(view.checked[id], 0) << id;
}

TEST_F(DeviceSearchTest, AHeldDeviceShowsInUseAndIsLookedAtAgainUntilFreeOrGone) {
    PlugBox();
    box.devices[0].heldElsewhere = true;
    controller.FindDevice();
    EXPECT_FALSE(controller.DevicePresent());
    EXPECT_EQ(view.statusText, "Device in use by another program");
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control - device in use");
    EXPECT_TRUE(view.recheck);
    EXPECT_EQ(view.recheckInterval, 2000u);
    EXPECT_TRUE(box.BytesWritten().empty());

    controller.OnDeviceNotice();   // still held: no notice came, keep looking
    EXPECT_TRUE(view.recheck);
    box.devices[0].heldElsewhere = false;   // the other program let go
    controller.OnDeviceNotice();
    EXPECT_TRUE(controller.DevicePresent());
    EXPECT_FALSE(view.recheck);
    EXPECT_EQ(box.BytesWritten(), (std::vector<std::uint8_t>{0x0A}));
    EXPECT_EQ(view.checked[ids::kAntenna1], 1);

    box.devices[0].heldElsewhere = true;
    controller.FindDevice();
    EXPECT_TRUE(view.recheck);
    box.devices.clear();   // unplugged while held
    controller.OnDeviceNotice();
    EXPECT_FALSE(view.recheck);
    EXPECT_EQ(view.statusText, "no Device detected --- wait for connection");
}

TEST_F(DeviceSearchTest, ADeviceWithoutAccessSaysHowToGetItAndIsNotLookedAtAgain) {
    PlugBox();
    box.devices[0].accessDenied = true;
    box.devices.push_back(box.devices[0]);
    box.devices[1].accessDenied = false;
    box.devices[1].heldElsewhere = true;
    controller.FindDevice();   // one held as well: the user must act, so permission is said
    EXPECT_FALSE(controller.DevicePresent());
    EXPECT_EQ(controller.Link(), LinkStatus::NoAccess);
    EXPECT_EQ(view.statusText, "no permission for the box --- see the manual");
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control - no permission");
    EXPECT_TRUE(view.recheck);   // the held one may still be let go

    box.devices.pop_back();
    controller.OnDeviceNotice();
    EXPECT_EQ(view.statusText, "no permission for the box --- see the manual");
    EXPECT_FALSE(view.recheck);   // permissions change with a device notice
    EXPECT_TRUE(box.BytesWritten().empty());

    box.devices[0].accessDenied = false;   // the rule applied on replugging
    controller.OnDeviceNotice();
    EXPECT_TRUE(controller.DevicePresent());
    EXPECT_EQ(box.BytesWritten(), (std::vector<std::uint8_t>{0x0A}));
}

TEST_F(DeviceSearchTest, NoUsableDriverIsSaid) {
    PlugBox();
    box.driverMissing = true;
    controller.FindDevice();
    EXPECT_FALSE(controller.DevicePresent());
    EXPECT_EQ(view.statusText, "no usable simulated driver --- reinstall it");
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control - no usable driver");
    EXPECT_FALSE(view.recheck);
}

TEST_F(DeviceSearchTest, ABoxThatArrivesShowsItsStoredStateAndOneThatGoesShowsNone) {
    settings.ints[{kBoxSection, "ANTENNA-1"}] = 0;
    settings.ints[{kBoxSection, "ANTENNA-2"}] = 1;
    settings.ints[{kBoxSection, "SWITCHMIXER"}] = 1;
    controller.FindDevice();          // started without a box
    controller.RefreshControls();
    for (int id : {1001, 1002, 1003, 1005, 1006}) ASSERT_EQ(view.checked[id], 0) << id;

    PlugBox();
    controller.OnDeviceNotice();
    EXPECT_EQ(view.checked[1001], 0);
    EXPECT_EQ(view.checked[1002], 1);
    EXPECT_EQ(view.checked[1006], 1);
    EXPECT_EQ(view.checked[1005], 0);
    EXPECT_EQ(box.BytesWritten(), (std::vector<std::uint8_t>{0x0C}));  // one write, none extra

    box.devices.clear();
    controller.OnDeviceNotice();
    for (int id : {1001, 1002, 1003, 1005, 1006}) EXPECT_EQ(view.checked[id], 0) << id;
}

}  // namespace
}  // namespace torvik::testing

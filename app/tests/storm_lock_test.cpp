// The storm lock: every way in refused while locked, the protect mask on the box, the state
// from before the lock back after unlocking, and a locked box staying locked through a reload,
// a restart and a replug.
#include "app/station_command.h"
#include "app/tests/controller_fixture.h"

namespace torvik::testing {
namespace {

class StormLockTest : public ControllerTest {
protected:
    std::optional<std::uint8_t> Byte() const { return box.LastOutput(kBoxLocation); }
};

TEST_F(StormLockTest, EveryWayInIsRefusedAndUnlockRestores) {
    StartWithBox();
    controller.SetMixerMode();
    controller.AntennaAction(2);   // antennas 1 and 3 on
    ASSERT_EQ(Byte(), std::optional<std::uint8_t>(0x0B));

    EXPECT_EQ(RunStationWords(controller, {"lock"}).text, "locked: mask 0, protect mask 0\n");
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x08));   // all off, still running
    ForgetHistory();

    // A click or a tray entry, a hotkey, a set, a mode change, band following: nothing moves.
    controller.AntennaAction(1);
    ASSERT_FALSE(controller.Hotkeys().empty());
    controller.Execute({Verb::Hotkey, 0, controller.Hotkeys()[0].hotkeyId});
    EXPECT_EQ(controller.Execute({Verb::Set, 0x6}), std::optional<std::intptr_t>(0));
    controller.SetSwitchMode();
    EXPECT_EQ(controller.SetAntennaMask(0x4), 0);
    for (const std::string& line : journal) {
        EXPECT_NE(line.rfind("byte", 0), 0u) << "written while locked: " << line;
    }
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x08));
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(controller.MixerMode(), 1);
    EXPECT_EQ(view.checked[1001] + view.checked[1002] + view.checked[1003], 0);
    EXPECT_NE(view.trayTip.find("locked"), std::string::npos);
    EXPECT_EQ(view.lockLines, (std::vector<std::string>{"Locked: all antennas off"}));
    EXPECT_TRUE(SaysLocked(RunStationWords(controller, {"lock", "status"}).text));

    // A reload keeps the lock.
    controller.Execute({Verb::Reload});
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x08));
    EXPECT_TRUE(controller.Locked());

    EXPECT_EQ(RunStationWords(controller, {"unlock"}).text, "unlocked: mask 5, protect mask 0\n");
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x0B));
    EXPECT_FALSE(SaysLocked(RunStationWords(controller, {"lock", "status"}).text));
    controller.AntennaAction(1);
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x0F));
    EXPECT_EQ(view.lockLines, (std::vector<std::string>{"Locked: all antennas off", ""}));

    // A protect mask that keeps an antenna on names it on the line.
    ASSERT_EQ(controller.RenameAntenna(0, "Mini-Whip"), "");
    RunStationWords(controller, {"lock", "protect", "1"});
    RunStationWords(controller, {"lock"});
    EXPECT_EQ(view.lockLines.back(), "Locked: Mini-Whip on");
}

TEST_F(StormLockTest, LockAndProtectMaskSurviveARestartAndAReplug) {
    StartWithBox();
    controller.AntennaAction(1);   // antenna 2 alone
    EXPECT_EQ(RunStationWords(controller, {"lock", "protect", "0x8"}).code, bands::kReplyOk);
    controller.ToggleLock();   // the tray's item
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x18));   // the fourth output only

    // The next run of the program: still locked, still the protect mask, still refusing.
    SwitchController next(driver, settings, registrar, focus, view);
    next.FindDevice();
    EXPECT_TRUE(next.Locked());
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x18));
    next.AntennaAction(0);
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x18));
    EXPECT_EQ(next.TrayMenu()[6], (TrayMenuItem{"Lock: all antennas off", 1041, true}));

    // Out and in again.
    box.devices.clear();
    next.FindDevice();
    EXPECT_FALSE(next.Locked());
    PlugBox();
    next.FindDevice();
    EXPECT_TRUE(next.Locked());
    next.ToggleLock();
    EXPECT_EQ(Byte(), std::optional<std::uint8_t>(0x0C));   // antenna 2 as before the lock
    EXPECT_EQ(StoredInt(kBoxSection, "ANTENNA-2"), std::optional<std::int32_t>(1));

    EXPECT_EQ(RunStationWords(next, {"lock", "protect", "16"}).code, bands::kReplyUsage);
}

}  // namespace
}  // namespace torvik::testing

#include <cstring>
#include <vector>

#include "app/tests/controller_fixture.h"

namespace torvik::testing {
namespace {

using Strings = std::vector<std::string>;
using Flagset = std::vector<std::int32_t>;
using Answer = std::optional<std::intptr_t>;

class RemoteCommandTest : public ControllerTest {
protected:
    Answer Send(Verb verb, std::uintptr_t mask = 0) { return controller.Execute({verb, mask}); }
};

TEST_F(RemoteCommandTest, HideAndExitAnswerByTheRecordedHiding) {
    StartWithBox();
    EXPECT_EQ(Send(Verb::Hide), Answer(1));
    EXPECT_FALSE(controller.WindowHidden());   // the hide message does not record it
    EXPECT_EQ(Send(Verb::Exit), Answer(1));
    ControllerPeer::RecordHidden(controller);
    EXPECT_EQ(Send(Verb::Exit), Answer(-1));
    EXPECT_EQ(view.events, (Strings{"hide", "end", "end"}));
}

TEST_F(RemoteCommandTest, GetStateGivesTheMaskAboveTheAntennaCount) {
    ControllerPeer::AntennaOn(controller)[0] = 1;
    ControllerPeer::AntennaOn(controller)[2] = 1;
    EXPECT_EQ(Send(Verb::Get), Answer(5 << 16));   // no box found yet: count 0
    StartWithBox();
    controller.SetMixerMode();
    controller.AntennaAction(2);
    EXPECT_EQ(Send(Verb::Get), Answer((5 << 16) | 3));
    box.devices.clear();
    controller.FindDevice();   // the node keeps its content after the box is gone
    EXPECT_EQ(Send(Verb::Get), Answer((5 << 16) | 3));
}

TEST_F(RemoteCommandTest, SetStateAnswersTheNewMaskForAnyWParam) {
    StartWithBox();
    EXPECT_EQ(Send(Verb::Set, 0b0100), Answer(0b0100));
    EXPECT_EQ(Send(Verb::Set, ~std::uintptr_t{0} - 0xF), Answer(0b0100));
    controller.SetMixerMode();
    EXPECT_EQ(Send(Verb::Set, 0x12345678), Answer(0b1000));
}

TEST_F(RemoteCommandTest, ReloadTakesTheFileAndRefreshes) {
    StartWithBox();
    controller.AntennaAction(1);
    settings.ints[{kBoxSection, "ANTENNA-3"}] = 1;   // changed by another program
    settings.ints[{kBoxSection, "SWITCHMIXER"}] = 1;
    ForgetHistory();
    EXPECT_EQ(Send(Verb::Reload), Answer(0));
    EXPECT_EQ(Flags(), (Flagset{0, 1, 1, 0}));
    EXPECT_EQ(view.checked[ids::kAntenna1 + 2], 1);
    EXPECT_EQ(view.checked[ids::kMixerRadio], 1);
    EXPECT_EQ(registrar.events.front(), "unreg 2400");   // hotkeys rebuilt
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(RemoteCommandTest, ReloadWithoutABoxKeepsTheStateAndClearsTheButtons) {
    StartWithBox();
    controller.SetMixerMode();
    controller.AntennaAction(2);
    box.devices.clear();
    controller.FindDevice();
    ControllerPeer::Configs(controller)[1].deactivated = 1;
    ForgetHistory();
    EXPECT_EQ(Send(Verb::Reload), Answer(0));
    EXPECT_EQ(Flags(), (Flagset{1, 0, 1, 0}));
    EXPECT_EQ(controller.Configs()[1].deactivated, 0);
    for (int id : {1001, 1002, 1003, 1005, 1006}) EXPECT_EQ(view.checked[id], 0) << id;
    EXPECT_TRUE(box.Calls().empty());   // reloading does not search
}

TEST_F(RemoteCommandTest, HelpIsNoCommandOfTheProgram) {
    StartWithBox();
    EXPECT_EQ(Send(Verb::Help), std::nullopt);
    EXPECT_TRUE(settings.reads.empty());
    EXPECT_TRUE(view.events.empty());
}

class HotkeyPressTest : public ControllerTest {
protected:
    void SetUp() override {
        focus.processes = {{10, "Brannoc.exe"}, {20, "Tessiv.exe"}, {30, "explorer.exe"},
                           {40, "Torvik.exe"}};
        focus.focused = 30;
    }
    // Records 1 and 2 share CTRL+F5: record 1 for antenna 1, record 2 for antenna 3.
    void StoreSharedF5() {
        ConfigBlock block = MainDefaults();
        block[1].keyCode[0] = 0x74;
        block[2].keyCode[2] = 0x74;
        settings.configs[kBoxSection] = block;
    }
    bool Press(std::int32_t id) { return controller.Execute({Verb::Hotkey, 0, id}).has_value(); }
    int IdOf(std::uint32_t key) const {
        for (const HotkeyBinding& entry : controller.Hotkeys()) {
            if (entry.virtualKey == KeyFromStoredCode(static_cast<std::uint8_t>(key)) &&
                entry.modifiers == Modifiers{.ctrl = true}) {
                return entry.hotkeyId;
            }
        }
        ADD_FAILURE() << "no entry for key " << key;
        return -1;
    }
};

TEST_F(HotkeyPressTest, GlobalKeyActsWhateverProgramIsInFront) {
    StartWithBox();
    EXPECT_TRUE(Press(2401));   // CTRL+NUM PAD 2
    EXPECT_EQ(Flags(), (Flagset{0, 1, 0, 0}));
    EXPECT_EQ(settings.writes, AntennaWrites(0, 1, 0));
}

TEST_F(HotkeyPressTest, NumberedKeysFollowTheFocusedProgram) {
    StoreSharedF5();
    StartWithBox();
    const int f5 = IdOf(0x74);
    focus.focused = 10;
    EXPECT_TRUE(Press(f5));
    EXPECT_EQ(Flags(), (Flagset{0, 0, 1, 0}));
    focus.focused = 20;
    EXPECT_TRUE(Press(f5));
    EXPECT_EQ(Flags(), (Flagset{1, 0, 0, 0}));
    focus.focused = 30;
    ForgetHistory();
    EXPECT_TRUE(Press(f5));   // consumed, but nothing happens
    EXPECT_TRUE(journal.empty());
}

TEST_F(HotkeyPressTest, TheProgramItselfCanOwnTheFocus) {
    ConfigBlock block = MainDefaults();
    block[0].deactivated = 1;
    block[1].deactivated = 1;
    block[2].deactivated = 1;
    block[3].deactivated = 0;   // "Torvik.exe"
    settings.configs[kBoxSection] = block;
    StartWithBox();
    focus.focused = 40;
    EXPECT_EQ(controller.DispatchHotkey(2), 1);
    EXPECT_EQ(Flags(), (Flagset{0, 0, 1, 0}));
}

TEST_F(HotkeyPressTest, NoFocusUnknownIdsAndBadPositionsDoNothing) {
    StartWithBox();
    focus.focused.reset();
    EXPECT_TRUE(Press(2400));   // consumed all the same
    EXPECT_EQ(controller.DispatchHotkey(0), 0);
    focus.focused = 30;
    EXPECT_FALSE(Press(2403));
    EXPECT_FALSE(Press(0));
    EXPECT_FALSE(Press(-1));
    EXPECT_EQ(controller.DispatchHotkey(-1), 0);
    EXPECT_EQ(controller.DispatchHotkey(3), 0);
    EXPECT_EQ(Flags(), (Flagset{1, 0, 0, 0}));
    EXPECT_TRUE(journal.empty());
}

TEST_F(HotkeyPressTest, MixerModeTogglesAndSwitchModeReselects) {
    StartWithBox();
    EXPECT_EQ(controller.DispatchHotkey(0), 1);   // antenna 1, already on
    EXPECT_EQ(Flags(), (Flagset{1, 0, 0, 0}));
    EXPECT_EQ(settings.writes, AntennaWrites(1, 0, 0));
    controller.SetMixerMode();
    EXPECT_EQ(controller.DispatchHotkey(0), 1);
    EXPECT_EQ(Flags(), (Flagset{0, 0, 0, 0}));
}

TEST_F(HotkeyPressTest, ShutdownDropsTheRunningBitThenReleasesEverythingOnce) {
    StartWithBox();
    controller.Shutdown();
    EXPECT_EQ(journal, (Strings{"byte 02", "tray removed", "notices ended", "unreg 2400",
                                "unreg 2401", "unreg 2402"}));
    EXPECT_FALSE(Press(2400));
    // The session's end and the window's destruction both ask: the second changes nothing,
    // and a recheck still queued searches no more.
    journal.clear();
    box.ClearCalls();
    controller.Shutdown();
    controller.OnDeviceNotice();
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(box.Calls().empty());
}

}  // namespace
}  // namespace torvik::testing

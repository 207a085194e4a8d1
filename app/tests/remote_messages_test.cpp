#include <cstring>
#include <vector>

#include "app/tests/controller_fixture.h"

namespace torvik::testing {
namespace {

using Strings = std::vector<std::string>;
using Flagset = std::vector<std::int32_t>;
using Answer = std::optional<std::intptr_t>;

std::uintptr_t Command(int id, int code) {
    return static_cast<std::uintptr_t>(id) | (static_cast<std::uintptr_t>(code) << 16);
}

class RemoteMessageTest : public ControllerTest {
protected:
    Answer Send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
        return controller.HandleRemoteMessage(message, wParam, lParam);
    }
};

TEST_F(RemoteMessageTest, HideAndExitAnswerByTheRecordedHiding) {
    StartWithBox();
    EXPECT_EQ(Send(msg::kRemoteHide, 77, -5), Answer(1));
    EXPECT_EQ(controller.windowHidden, 0);   // the hide message does not record it
    EXPECT_EQ(Send(msg::kRemoteExit), Answer(1));
    controller.windowHidden = 1;
    EXPECT_EQ(Send(msg::kRemoteExit, ~std::uintptr_t{0}, 1), Answer(-1));
    EXPECT_EQ(view.events, (Strings{"hide", "end", "end"}));
}

TEST_F(RemoteMessageTest, GetStateGivesTheMaskAboveTheAntennaCount) {
    controller.antennaOn[0] = 1;
    controller.antennaOn[2] = 1;
    EXPECT_EQ(Send(msg::kRemoteGetState), Answer(5 << 16));   // no box found yet: count 0
    StartWithBox();
    controller.SetMixerMode();
    controller.AntennaAction(2);
    EXPECT_EQ(Send(msg::kRemoteGetState, 123, 456), Answer((5 << 16) | 3));
    box.devices.clear();
    controller.FindDevice();   // the node keeps its content after the box is gone
    EXPECT_EQ(Send(msg::kRemoteGetState), Answer((5 << 16) | 3));
}

TEST_F(RemoteMessageTest, SetStateAnswersTheNewMaskForAnyWParam) {
    StartWithBox();
    EXPECT_EQ(Send(msg::kRemoteSetState, 0b0100), Answer(0b0100));
    EXPECT_EQ(Send(msg::kRemoteSetState, ~std::uintptr_t{0} - 0xF), Answer(0b0100));
    controller.SetMixerMode();
    EXPECT_EQ(Send(msg::kRemoteSetState, 0x12345678), Answer(0b1000));
}

TEST_F(RemoteMessageTest, ReloadTakesTheFileAndRefreshes) {
    StartWithBox();
    controller.AntennaAction(1);
    settings.ints[{kBoxSection, "ANTENNA-3"}] = 1;   // changed by another program
    settings.ints[{kBoxSection, "SWITCHMIXER"}] = 1;
    ForgetHistory();
    EXPECT_EQ(Send(msg::kRemoteReload), Answer(0));
    EXPECT_EQ(Flags(), (Flagset{0, 1, 1, 0}));
    EXPECT_EQ(view.checked[ids::kAntenna1 + 2], 1);
    EXPECT_EQ(view.checked[ids::kMixerRadio], 1);
    EXPECT_EQ(registrar.events.front(), "unreg 2400");   // hotkeys rebuilt
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(RemoteMessageTest, ReloadWithoutABoxKeepsTheStateAndClearsTheButtons) {
    StartWithBox();
    controller.SetMixerMode();
    controller.AntennaAction(2);
    box.devices.clear();
    controller.FindDevice();
    controller.configBlock[1].deactivated = 1;
    ForgetHistory();
    EXPECT_EQ(Send(msg::kRemoteReload), Answer(0));
    EXPECT_EQ(Flags(), (Flagset{1, 0, 1, 0}));
    EXPECT_EQ(controller.configBlock[1].deactivated, 0);
    for (int id : {1001, 1002, 1003, 1005, 1006}) EXPECT_EQ(view.checked[id], 0) << id;
    EXPECT_TRUE(box.Calls().empty());   // reloading does not search
}

TEST_F(RemoteMessageTest, ReloadCommandNeedsItsCodeAndASender) {
    StartWithBox();
    EXPECT_EQ(Send(msg::kCommand, Command(ids::kRemoteReload, 1), 0x1234), Answer(0));
    EXPECT_FALSE(settings.reads.empty());

    ForgetHistory();
    EXPECT_EQ(Send(msg::kCommand, Command(ids::kRemoteReload, 1), 0), std::nullopt);
    EXPECT_EQ(Send(msg::kCommand, Command(ids::kRemoteReload, 0), 0x1234), std::nullopt);
    EXPECT_EQ(Send(msg::kCommand, Command(ids::kAntenna1, 1), 0x1234), std::nullopt);
    // High bits beyond the notification word do not make another command match.
    EXPECT_EQ(Send(msg::kCommand, Command(ids::kRemoteReload, 0x10001), 0x1234), Answer(0));
    ForgetHistory();
    EXPECT_EQ(Send(msg::kTrayNotify, 149, 0x200), std::nullopt);
    EXPECT_EQ(Send(0x0312, 2400, 0), std::nullopt);
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
    int IdOf(std::uint32_t key) const {
        for (const HotkeyBinding& entry : controller.hotkeyTable) {
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
    EXPECT_TRUE(controller.HandleHotkeyMessage(2401));   // CTRL+NUM PAD 2
    EXPECT_EQ(Flags(), (Flagset{0, 1, 0, 0}));
    EXPECT_EQ(settings.writes, AntennaWrites(0, 1, 0));
}

TEST_F(HotkeyPressTest, NumberedKeysFollowTheFocusedProgram) {
    StoreSharedF5();
    StartWithBox();
    const auto f5 = static_cast<std::uintptr_t>(IdOf(0x74));
    focus.focused = 10;
    EXPECT_TRUE(controller.HandleHotkeyMessage(f5));
    EXPECT_EQ(Flags(), (Flagset{0, 0, 1, 0}));
    focus.focused = 20;
    EXPECT_TRUE(controller.HandleHotkeyMessage(f5));
    EXPECT_EQ(Flags(), (Flagset{1, 0, 0, 0}));
    focus.focused = 30;
    ForgetHistory();
    EXPECT_TRUE(controller.HandleHotkeyMessage(f5));   // consumed, but nothing happens
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
    EXPECT_TRUE(controller.HandleHotkeyMessage(2400));   // consumed all the same
    EXPECT_EQ(controller.DispatchHotkey(0), 0);
    focus.focused = 30;
    EXPECT_FALSE(controller.HandleHotkeyMessage(2403));
    EXPECT_FALSE(controller.HandleHotkeyMessage(0));
    EXPECT_FALSE(controller.HandleHotkeyMessage(~std::uintptr_t{0}));
    EXPECT_FALSE(controller.HandleHotkeyMessage(std::uintptr_t{1} << 32 | 2400));
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

TEST_F(HotkeyPressTest, FinalWriteThenClearIsTheShutdownOrder) {
    StartWithBox();
    controller.FinalWrite();
    controller.ClearHotkeys();
    EXPECT_EQ(journal, (Strings{"byte 02", "unreg 2400", "unreg 2401", "unreg 2402"}));
    EXPECT_FALSE(controller.HandleHotkeyMessage(2400));
}

}  // namespace
}  // namespace torvik::testing

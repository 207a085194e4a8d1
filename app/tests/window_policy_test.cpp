// The main window's policy: the recorded hiding and what the window does for each event, the
// tray icon's rules and menu, and the Setup gating.
#include <functional>

#include "app/tests/controller_fixture.h"

namespace torvik::testing {
namespace {

using Strings = std::vector<std::string>;

class WindowPolicyTest : public ControllerTest {};

TEST_F(WindowPolicyTest, EachEventRecordsTheHidingAndMovesTheWindowAsItShould) {
    enum class Start { kShown, kHidden };
    const struct {
        const char* event;
        bool box;
        Start start;                // the recorded hiding before the event
        std::function<void(SwitchController&)> act;
        bool hiddenAfter;
        Strings window;             // what the window was told
    } rows[] = {
        {"OK", true, Start::kShown, [](auto& c) { c.Ok(); }, true, {"hide"}},
        {"Escape with a box", true, Start::kShown, [](auto& c) { c.Cancel(); }, true, {"hide"}},
        {"Escape without a box", false, Start::kShown, [](auto& c) { c.Cancel(); }, false, {"end"}},
        {"Escape without a box, hidden", false, Start::kHidden, [](auto& c) { c.Cancel(); }, true,
         {"end"}},
        {"Exit", true, Start::kHidden, [](auto& c) { c.Exit(); }, true, {"end"}},
        {"open Dialog", true, Start::kHidden, [](auto& c) { c.OpenDialog(); }, false, {"shown"}},
        {"tray move", true, Start::kHidden, [](auto& c) { c.TrayEvent(TrayMouse::kOther, 0); },
         false, {}},
        {"tray double click", true, Start::kHidden,
         [](auto& c) { c.TrayEvent(TrayMouse::kLeftDoubleClick, 0); }, false, {"front"}},
        {"tray right press", true, Start::kHidden,
         [](auto& c) { c.TrayEvent(TrayMouse::kRightDown, 0); }, false, {"menu"}},
        {"tray left press, then no second", true, Start::kHidden,
         [](auto& c) {
             c.TrayEvent(TrayMouse::kLeftDown, 0);
             c.TrayWaitOver();
         },
         false, {"wait", "menu"}},
        {"remote hide", true, Start::kShown, [](auto& c) { c.Execute({Verb::Hide}); }, false,
         {"hide"}},
        {"remote exit", true, Start::kHidden, [](auto& c) { c.Execute({Verb::Exit}); }, true,
         {"end"}},
    };
    for (const auto& row : rows) {
        box.devices.clear();
        if (row.box) PlugBox();
        controller.FindDevice();
        controller.StartHidden(row.start == Start::kHidden);
        ForgetHistory();
        row.act(controller);
        EXPECT_EQ(controller.WindowHidden(), row.hiddenAfter) << row.event;
        EXPECT_EQ(view.events, row.window) << row.event;
        EXPECT_FALSE(view.waiting) << row.event;
    }
}

TEST_F(WindowPolicyTest, StartShowsTheWindowUnlessHiddenAfterSearchingAndRefreshing) {
    PlugBox();
    controller.StartHidden(true);
    controller.Start();
    EXPECT_TRUE(controller.DevicePresent());
    EXPECT_EQ(view.events.back(), "hide");
    EXPECT_EQ(view.checked[ids::kAntenna1], 1);   // refreshed before

    SwitchController visible{driver, settings, registrar, focus, view};
    view.events.clear();
    visible.Start();
    EXPECT_EQ(view.events.back(), "shown");
}

TEST_F(WindowPolicyTest, TrayMenuOffersTheAntennasOnlyWithABoxAndMarksThoseOn) {
    using Items = std::vector<TrayMenuItem>;
    controller.TrayEvent(TrayMouse::kRightDown, 0);
    ASSERT_EQ(view.menus.size(), 1u);
    EXPECT_EQ(view.menus[0], (Items{{"open Dialog", 1024, false},
                                    {"Band following", 1040, false},
                                    {"MQTT", 1042, false},
                                    {"Exit", 1020, false}}));

    StartWithBox();
    controller.SetMixerMode();
    controller.AntennaAction(2);   // antennas 1 and 3 on
    controller.TrayEvent(TrayMouse::kRightDown, 1000);
    ASSERT_EQ(view.menus.size(), 2u);
    EXPECT_EQ(view.menus[1], (Items{{"Antenna 1", 1001, true},
                                    {"Antenna 2", 1002, false},
                                    {"Antenna 3", 1003, true},
                                    {"open Dialog", 1024, false},
                                    {"Band following", 1040, false},
                                    {"MQTT", 1042, false},
                                    {"Lock: all antennas off", 1041, false},
                                    {"Exit", 1020, false}}));
    // An antenna count beyond the three antennas offers no more items.
    const std::int32_t on[4] = {0, 1, 0, 1};
    EXPECT_EQ(TrayMenuItems(true, 7, on).size(), 7u);
    EXPECT_EQ(TrayMenuItems(true, 0, on).size(), 4u);
}

TEST_F(WindowPolicyTest, SetupRunsOnlyWithABoxAndItsOkReloadsWithoutRefreshing) {
    controller.Setup();
    EXPECT_TRUE(view.events.empty());

    ConfigBlock stored = MainDefaults();
    stored[2].deactivated = 0;
    settings.configs[kBoxSection] = stored;
    StartWithBox();
    view.setupAnswer = SetupEnd::kCancel;
    controller.Setup();
    EXPECT_EQ(view.events, (Strings{"setup A1MIRVAX8"}));
    EXPECT_EQ(view.setupShown[2].deactivated, 0);   // the records in effect
    EXPECT_TRUE(settings.reads.empty());

    ConfigBlock changed = MainDefaults();
    changed[0].deactivated = 1;
    settings.configs[kBoxSection] = changed;   // what the dialog stored
    ForgetHistory();
    view.setupAnswer = SetupEnd::kOk;
    controller.Setup();
    EXPECT_EQ(controller.Configs()[0].deactivated, 1);
    EXPECT_EQ(registrar.events.front(), "unreg 2400");   // hotkeys rebuilt
    for (const std::string& event : view.events) {
        EXPECT_NE(event.rfind("check", 0), 0u) << "buttons refreshed: " << event;
    }
}

TEST_F(WindowPolicyTest, TheTrayTipCarriesBandStatusUnderTheLinkAndIsToldOnlyWhenItChanges) {
    StartWithBox();
    const int told = view.tipChanges;
    controller.ShowBandStatus("following 7.074 MHz");
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control\nfollowing 7.074 MHz");
    controller.ShowBandStatus("following 7.074 MHz");
    controller.RefreshControls();   // the link's part unchanged
    EXPECT_EQ(view.tipChanges, told + 1);

    box.devices[0].heldElsewhere = true;
    controller.OnDeviceNotice();
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control - device in use\nfollowing 7.074 MHz");
    controller.ShowBandStatus("");
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control - device in use");
}

}  // namespace
}  // namespace torvik::testing

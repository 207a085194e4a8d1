#pragma once
// Recording stand-ins for everything the switch controller talks to, and a fixture that wires
// them to a SimulatedBox.

#include <cstdio>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/switch_controller.h"
#include "device/simulated_box.h"
#include "tests/fakes/focus.h"
#include "tests/fakes/hotkeys.h"
#include "tests/fakes/settings.h"

namespace torvik::testing {

// One log shared by the stand-ins, for the order of output, display and storage across them:
// "byte 0C", "check 1001 1", "store ANTENNA-1=1", "reg 2400", "unreg 2400".
using Journal = std::vector<std::string>;

// Forwards to a SimulatedBox and journals every byte taken.
class JournalingDriver final : public BoxLink {
public:
    JournalingDriver(SimulatedBox& box, Journal& journal) : box_(box), journal_(journal) {}
    LinkResult List(std::vector<ListedDevice>& devices) override { return box_.List(devices); }
    LinkResult Open(const std::string& identity, LinkHandle& handle) override {
        return box_.Open(identity, handle);
    }
    LinkResult SetTimeouts(LinkHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override {
        return box_.SetTimeouts(handle, readMs, writeMs);
    }
    LinkResult EnterBitBang(LinkHandle handle) override { return box_.EnterBitBang(handle); }
    LinkResult WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) override {
        const LinkResult result = box_.WriteByte(handle, byte, written);
        if (result == LinkResult::Ok && written == 1) {
            char text[8];
            std::snprintf(text, sizeof text, "byte %02X", byte);
            journal_.push_back(text);
        }
        return result;
    }
    LinkResult Close(LinkHandle handle) override { return box_.Close(handle); }
    bool Available() const override { return box_.Available(); }
    const char* DriverName() const override { return "simulated"; }

private:
    SimulatedBox& box_;
    Journal& journal_;
};

// Every call as one line of text, in order.
class RecordingView final : public SwitchView {
public:
    explicit RecordingView(Journal& journal) : journal_(journal) {}
    std::vector<std::string> events;
    int errors = 0;

    void ShowControl(int id, bool show) override { Add("show", id, show ? 1 : 0); }
    void EnableControl(int id, bool enable) override { Add("enable", id, enable ? 1 : 0); }
    void SetChecked(int id, int state) override {
        Add("check", id, state);
        journal_.push_back(events.back());
        checked[id] = state;
    }
    void LayoutAntennaRow() override { events.push_back("layout"); }
    void Show(bool toFront) override { events.push_back(toFront ? "front" : "shown"); }
    void Hide() override { events.push_back("hide"); }
    // Every end must come after band following stopped; one that does not reads differently.
    void EndProgram() override {
        events.push_back(followingStopped ? "end" : "end, band following still on");
        followingStopped = false;
    }
    void StopBandFollowing() override { followingStopped = true; }
    bool followingStopped = false;
    void ShowError(const char* text, const char* caption) override {
        ++errors;
        events.push_back(std::string("error ") + text + " | " + caption);
        if (duringError) duringError();
    }
    void ShowTrayMenu(const std::vector<TrayMenuItem>& items) override {
        events.push_back("menu");
        menus.push_back(items);
    }
    // Only a started wait is an event; stopping one that may not run is the rules' care.
    void WaitForSecondPress(bool on) override {
        if (on) events.push_back("wait");
        waiting = on;
    }
    bool waiting = false;
    SetupEnd RunSetup(const DeviceNode& box, const ConfigBlock& inEffect) override {
        events.push_back(std::string("setup ") + box.serial);
        setupShown = inEffect;
        return setupAnswer;
    }
    void SettingsLoaded() override { ++loads; }
    int loads = 0;
    void RemoveTrayIcon() override {
        events.push_back("tray removed");
        journal_.push_back(events.back());
    }
    void EndDeviceNotices() override {
        events.push_back("notices ended");
        journal_.push_back(events.back());
    }
    // Kept apart from events: the status follows every presence update.
    void ShowLinkStatus(const char* text) override { statusText = text; }
    void SetTrayTip(const std::string& tip) override {
        trayTip = tip;
        ++tipChanges;
    }
    void StartRecheck(std::uint32_t intervalMs) override {
        recheck = true;
        recheckInterval = intervalMs;
    }
    void StopRecheck() override { recheck = false; }
    void ShowLockLine(const std::string& text) override { lockLines.push_back(text); }
    std::vector<std::string> lockLines;   // every line told, in order

    std::string statusText;
    std::string trayTip = kTrayTipName;   // what the icon is given when it is added
    int tipChanges = 0;
    std::uint32_t recheckInterval = 0;
    bool recheck = false;
    // Runs inside the message box, as the messages its modal loop dispatches would.
    std::function<void()> duringError;

    std::map<int, int> checked;
    std::vector<std::vector<TrayMenuItem>> menus;
    SetupEnd setupAnswer = SetupEnd::kCancel;   // how the setup dialog ends
    ConfigBlock setupShown{};                   // the records it was given to show

private:
    Journal& journal_;
    void Add(const char* what, int id, int value) {
        events.push_back(std::string(what) + " " + std::to_string(id) + " " +
                         std::to_string(value));
    }
};

// The controller's state as a test seeds it, where no operation of the program leads there.
struct ControllerPeer {
    static std::int32_t* AntennaOn(SwitchController& controller) { return controller.antennaOn; }
    static ConfigBlock& Configs(SwitchController& controller) { return controller.configBlock; }
    static void RecordHidden(SwitchController& controller) { controller.windowHidden = 1; }
    static void SetMixer(SwitchController& controller) { controller.mixerMode = 1; }
};

inline constexpr std::uint32_t kBoxLocation = 0x1234;
inline const std::string kBoxSection = "A1MIRVAX8_KEYSET";

class ControllerTest : public ::testing::Test {
protected:
    Journal journal;
    SimulatedBox box;
    JournalingDriver driver{box, journal};
    MemorySettings settings{&journal};
    RecordingRegistrar registrar{&journal};
    FakeFocus focus;
    RecordingView view{journal};
    SwitchController controller{driver, settings, registrar, focus, view};

    void PlugBox(std::string serial = "A1MIRVAX8", std::uint32_t location = kBoxLocation) {
        box.devices.push_back({std::move(serial), "Antenna box", location});
    }
    // Box attached and found; the logs start empty afterwards.
    void StartWithBox() {
        PlugBox();
        controller.FindDevice();
        ForgetHistory();
    }
    void ForgetHistory() {
        journal.clear();
        box.ClearCalls();
        settings.writes.clear();
        settings.reads.clear();
        settings.replacements.clear();
        registrar.events.clear();
        view.events.clear();
        view.errors = 0;
    }
    // The stored integer, or nothing when the key was never stored.
    std::optional<std::int32_t> StoredInt(const std::string& section, const char* key) const {
        return settings.Int(section, key);
    }
    std::vector<std::int32_t> Flags() const {
        return {controller.AntennaOn(0), controller.AntennaOn(1), controller.AntennaOn(2),
                controller.AntennaOn(3)};
    }
    std::vector<std::string> AntennaWrites(int a1, int a2, int a3) const {
        return {kBoxSection + " ANTENNA-1=" + std::to_string(a1),
                kBoxSection + " ANTENNA-2=" + std::to_string(a2),
                kBoxSection + " ANTENNA-3=" + std::to_string(a3)};
    }
};

}  // namespace torvik::testing

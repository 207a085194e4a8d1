#pragma once
// MQTT in the main window, the same on every platform: the settings taken up, the connection
// asked of the link and retried with growing pauses, the box's state and Home Assistant's
// discovery published when they change and after every connection, set requests carried out
// through the controller's own paths (so the storm lock and every other rule refuse them as
// they refuse any other way in), the status on the window's line and in the tray tip, and
// torvikctl's "mqtt" words. A platform gives it a link and calls the methods below.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bands/bands_command.h"
#include "mqtt/backoff.h"
#include "mqtt/box_state.h"
#include "mqtt/discovery.h"
#include "mqtt/link_status.h"
#include "mqtt/mqtt_link.h"
#include "mqtt/mqtt_settings.h"
#include "mqtt/set_request.h"
#include "mqtt/topics.h"

namespace torvik {
class SwitchController;
class SettingsStore;
}  // namespace torvik

namespace torvik::mqtt {

// Where the session shows its status: the platform puts it on the line under the controls
// (BandSession::ShowMqttLine) and the controller into the tray tip (ShowMqttStatus).
class StatusView {
public:
    virtual ~StatusView() = default;
    virtual void ShowMqttStatus(const std::string& text) = 0;   // empty: nothing to tell
};

// The box as the controller has it now; band: band following's status.
BoxState SnapshotOf(const SwitchController& controller);

// Carries out one set request through the controller; false when refused or without effect.
bool ApplySetRequest(SwitchController& controller, const SetRequest& request);

class MqttSession {
public:
    MqttSession(SwitchController& controller, SettingsStore& store, MqttLink& link,
                StatusView& view);
    MqttSession(const MqttSession&) = delete;
    MqttSession& operator=(const MqttSession&) = delete;

    // The stored settings taken up: connects when they ask for it.
    void Start();
    // After anything that may have changed the box's state, presence, names, lock or band
    // status: publishes the state (and discovery) when it differs from what was published.
    void Refresh();
    // The link woke the window's thread: its events are taken and acted on.
    void OnLinkEvents();
    // The program ends: "offline" on the availability topic, then a clean disconnect.
    void Shutdown();

    // The dialog's and torvikctl's way to change the settings: refused (the reason) unless
    // SettingsProblem passes and the file is written; then the link follows them.
    std::string ChangeSettings(const Settings& settings);
    // After every settings load (a reload, a search) once started: settings changed in the
    // file by hand are taken up.
    void Reload();
    const Settings& CurrentSettings() const { return settings_; }
    LinkState State() const { return state_; }
    std::uint64_t Ignored() const { return ignored_; }
    std::string StatusLine() const { return StatusText(state_, ignored_); }

    // torvikctl mqtt: the words after "mqtt".
    bands::BandsReply Command(const std::vector<std::string>& words);

private:
    void Reconnect(std::uint32_t pauseMs);
    void UseSettings(const Settings& settings);
    void OnConnected();
    void OnSetMessage(const Message& message);
    void PublishState(bool always);
    void UseBoxTopics(const std::string& serial);
    void ShowStatus();
    void CountIgnored(std::uint64_t count);

    SwitchController& controller_;
    SettingsStore& store_;
    MqttLink& link_;
    StatusView& view_;
    Settings settings_;
    Backoff backoff_;
    LinkState state_ = LinkState::kOff;
    std::uint64_t ignored_ = 0;
    std::string shownStatus_;
    std::string serial_;        // the box the topics are for (the last one present)
    BoxTopics topics_;
    std::string willTopic_;     // availability topic of the connection's last will
    std::optional<BoxState> published_;
    std::vector<ConfigMessage> announced_;
    bool started_ = false;   // loads before Start are the controller's own start
    bool shutDown_ = false;
};

// A torvikctl station request: the mqtt words go to the session, all others to
// RunStationRequest.
bands::BandsReply RunStationOrMqtt(SwitchController& controller, MqttSession* session,
                                   std::string_view request);

}  // namespace torvik::mqtt

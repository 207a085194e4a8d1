#include "mqtt/mqtt_session.h"

#include <algorithm>
#include <array>

#include "app/band_session.h"
#include "app/station_command.h"
#include "app/switch_controller.h"

namespace torvik::mqtt {
namespace {

bands::BandsReply Refused(int code, std::string text) { return {code, std::move(text) + "\n"}; }

std::array<std::string, 3> ShownNames(const SwitchController& controller) {
    std::array<std::string, 3> shown;
    for (int i = 0; i < 3; ++i) shown[static_cast<std::size_t>(i)] = ShownName(controller.Names(), i);
    return shown;
}

std::optional<bool> OnOffWord(const std::string& word) {
    if (word == "on") return true;
    if (word == "off") return false;
    return std::nullopt;
}

}  // namespace

BoxState SnapshotOf(const SwitchController& controller) {
    BoxState state;
    state.serial = PresentBoxSerial(controller);
    state.present = controller.DevicePresent();
    state.mask = static_cast<std::uint32_t>(controller.GetAntennaMask()) >> 16 & 0xFu;
    state.mixer = controller.MixerMode() != 0;
    if (state.present) {
        state.antennaCount = static_cast<int>(std::clamp<std::uint32_t>(controller.Node().antennaCount, 1, 3));
    }
    const std::array<std::string, 3> names = ShownNames(controller);
    for (std::size_t i = 0; i < names.size(); ++i) {
        state.antennas[i] = {names[i], controller.AntennaOn(static_cast<int>(i)) != 0};
    }
    state.locked = controller.Locked();
    state.band = controller.BandStatus();
    return state;
}

bool ApplySetRequest(SwitchController& controller, const SetRequest& request) {
    if (!controller.DevicePresent()) return false;
    if (request.kind == SetRequest::Kind::kLock) {
        return request.on ? controller.Lock() : controller.Unlock();
    }
    // The controller refuses these itself while locked; they are not even tried.
    if (controller.Locked()) return false;
    switch (request.kind) {
    case SetRequest::Kind::kMask: {
        const auto before = controller.GetAntennaMask();
        return controller.SetAntennaMask(request.mask) != (before >> 16 & 0xF);
    }
    case SetRequest::Kind::kAntenna: {
        const int i = request.antenna;
        if (i < 0 || static_cast<std::uint32_t>(i) >= controller.Node().antennaCount) return false;
        const bool on = controller.AntennaOn(i) != 0;
        // Switch mode keeps one antenna on: it is chosen, never switched off alone.
        if (on == request.on || (controller.MixerMode() == 0 && !request.on)) return false;
        controller.AntennaAction(i);
        return true;
    }
    case SetRequest::Kind::kMode:
        if ((controller.MixerMode() != 0) == request.mixer) return false;
        if (request.mixer) {
            controller.SetMixerMode();
        } else {
            controller.SetSwitchMode();
        }
        return true;
    case SetRequest::Kind::kLock:
        break;
    }
    return false;
}

MqttSession::MqttSession(SwitchController& controller, SettingsStore& store, MqttLink& link,
                         StatusView& view)
    : controller_(controller), store_(store), link_(link), view_(view) {}

void MqttSession::Start() {
    started_ = true;
    settings_ = LoadSettings(store_);
    UseBoxTopics(PresentBoxSerial(controller_));
    if (WantsConnection(settings_)) {
        state_ = LinkState::kConnecting;
        Reconnect(0);
    }
    ShowStatus();
}

void MqttSession::UseBoxTopics(const std::string& serial) {
    serial_ = serial;
    topics_ = serial.empty() ? BoxTopics{} : TopicsFor(settings_.prefix, serial);
    published_.reset();
    announced_.clear();
}

void MqttSession::Reconnect(std::uint32_t pauseMs) {
    ConnectOptions options;
    options.host = settings_.host;
    options.port = settings_.port;
    options.clientId = settings_.clientId;
    options.user = settings_.user;
    options.password = settings_.password;
    options.tls = settings_.tls;
    options.caFile = settings_.caFile;
    options.willTopic = topics_.availability;
    options.willPayload = kOffline;
    link_.Connect(options, pauseMs);
}

void MqttSession::Refresh() {
    if (shutDown_) return;
    const std::string serial = PresentBoxSerial(controller_);
    if (!serial.empty() && serial != serial_) {
        // Another box: its own topics, and a last will on its own availability.
        if (state_ == LinkState::kConnected && !serial_.empty()) {
            link_.Publish({topics_.availability, kOffline, true});
        }
        UseBoxTopics(serial);
        if (WantsConnection(settings_)) {
            state_ = LinkState::kConnecting;
            Reconnect(0);
            ShowStatus();
        }
        return;
    }
    if (state_ == LinkState::kConnected) PublishState(false);
}

void MqttSession::PublishState(bool always) {
    if (serial_.empty()) return;
    BoxState state = SnapshotOf(controller_);
    if (!state.present) {
        // A box that went keeps what it was, so its entities stay as they were.
        const std::string band = state.band;
        if (published_) state = *published_;
        state.present = false;
        state.band = band;
    }
    state.serial = serial_;
    if (!always && published_ == state) return;
    const std::vector<ConfigMessage> wanted = DiscoveryConfigs(state, topics_);
    if (always || wanted != announced_) {
        for (const ConfigMessage& config : DiscoveryUpdate(announced_, wanted)) {
            link_.Publish({config.topic, config.payload, true});
        }
        announced_ = wanted;
    }
    link_.Publish({topics_.state, StateJson(state), true});
    published_ = std::move(state);
}

void MqttSession::OnConnected() {
    state_ = LinkState::kConnected;
    backoff_.Reset();
    if (serial_.empty()) return;
    link_.Subscribe(topics_.set);
    link_.Publish({topics_.availability, kOnline, true});
    PublishState(true);
}

void MqttSession::OnLinkEvents() {
    std::uint64_t dropped = 0;
    std::vector<LinkEvent> events = link_.TakeEvents(dropped);
    CountIgnored(dropped);
    for (const LinkEvent& event : events) {
        if (shutDown_ || !WantsConnection(settings_)) break;   // left from a connection let go
        switch (event.kind) {
        case LinkEvent::Kind::kConnected:
            OnConnected();
            break;
        case LinkEvent::Kind::kRefused:
            state_ = StateOfConnack(event.code);
            Reconnect(backoff_.NextPauseMs());
            break;
        case LinkEvent::Kind::kLost:
            state_ = LinkState::kUnreachable;
            Reconnect(backoff_.NextPauseMs());
            break;
        case LinkEvent::Kind::kMessage:
            OnSetMessage(event.message);
            break;
        case LinkEvent::Kind::kNoTls:
            state_ = LinkState::kNoTls;   // told, and no retry until the settings change
            break;
        }
    }
    ShowStatus();
}

void MqttSession::OnSetMessage(const Message& message) {
    if (message.topic != topics_.set || topics_.set.empty()) return;
    // A retained command would be carried out again at every connection.
    const std::optional<SetRequest> request =
        message.retain ? std::nullopt : ParseSetRequest(message.payload, ShownNames(controller_));
    if (!request) {
        CountIgnored(1);
        return;
    }
    ApplySetRequest(controller_, *request);
    // A refused request changes nothing; the state stays as published.
    Refresh();
}

void MqttSession::CountIgnored(std::uint64_t count) { ignored_ += count; }

void MqttSession::ShowStatus() {
    std::string text = StatusLine();
    if (text == shownStatus_) return;
    shownStatus_ = std::move(text);
    view_.ShowMqttStatus(shownStatus_);
}

void MqttSession::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    if (state_ == LinkState::kConnected && !serial_.empty()) {
        link_.Publish({topics_.availability, kOffline, true});
    }
    link_.Disconnect();
}

std::string MqttSession::ChangeSettings(const Settings& settings) {
    if (std::string problem = SettingsProblem(settings); !problem.empty()) return problem;
    if (!StoreSettings(store_, settings)) return kNamesNotWritten;
    UseSettings(settings);
    return {};
}

void MqttSession::Reload() {
    if (!started_ || shutDown_) return;
    UseSettings(LoadSettings(store_));
}

void MqttSession::UseSettings(const Settings& settings) {
    if (settings == settings_) return;
    if (state_ == LinkState::kConnected && !serial_.empty()) {
        link_.Publish({topics_.availability, kOffline, true});
    }
    link_.Disconnect();
    settings_ = settings;
    UseBoxTopics(serial_);
    backoff_.Reset();
    state_ = LinkState::kOff;
    if (WantsConnection(settings_)) {
        state_ = LinkState::kConnecting;
        Reconnect(0);
    }
    ShowStatus();
}

bands::BandsReply MqttSession::Command(const std::vector<std::string>& words) {
    Settings changed = settings_;
    if (words.empty() || (words.size() == 1 && words[0] == "show")) {
        const std::string status = StatusLine();
        return {bands::kReplyOk, SettingsListing(settings_) + "status: " +
                                     (status.empty() ? std::string("not connected") : status) +
                                     "\n"};
    }
    if (words.size() == 1 && OnOffWord(words[0])) {
        changed.enabled = *OnOffWord(words[0]);
    } else if (words.size() == 3 && words[0] == "set") {
        const std::string& key = words[1];
        const std::string& value = words[2];
        if (key == "host") {
            changed.host = value;
        } else if (key == "port") {
            const std::optional<std::uint16_t> port = ParsePort(value);
            if (!port) return Refused(bands::kReplyUsage, "the port is 1 to 65535");
            changed.port = *port;
        } else if (key == "prefix") {
            changed.prefix = value;
        } else if (key == "user") {
            changed.user = value;
        } else if (key == "password") {
            changed.password = value;
        } else if (key == "client-id") {
            changed.clientId = value;
        } else if (key == "ca") {
            changed.caFile = value;
        } else if (key == "tls" && OnOffWord(value)) {
            changed.tls = *OnOffWord(value);
        } else {
            return Refused(bands::kReplyUsage, "not an mqtt setting\n" + StationUsage());
        }
    } else {
        return Refused(bands::kReplyUsage, "not an mqtt command\n" + StationUsage());
    }
    const std::string problem = ChangeSettings(changed);
    if (!problem.empty()) {
        return Refused(problem == kNamesNotWritten ? bands::kReplyNotStored : bands::kReplyUsage,
                       "refused: " + problem);
    }
    return {bands::kReplyOk, SettingsListing(settings_)};
}

bands::BandsReply RunStationOrMqtt(SwitchController& controller, MqttSession* session,
                                   std::string_view request) {
    if (request.size() > bands::kMaxRequestBytes) return bands::RequestTooLong();
    std::vector<std::string> words = bands::SplitWords(request);
    if (words.empty() || words[0] != "mqtt") return RunStationWords(controller, words);
    if (session == nullptr) return Refused(bands::kReplyUsage, "this program has no MQTT");
    words.erase(words.begin());
    return session->Command(words);
}

}  // namespace torvik::mqtt

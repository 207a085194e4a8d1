#include "app/band_session.h"

#include <algorithm>
#include <utility>

#include "app/switch_controller.h"

namespace torvik {

BandSession::BandSession(SwitchController& controller, bands::RigSocket& socket,
                         bands::DatagramSocket& datagrams, BandView& view,
                         SettingsStore& settings, std::function<bands::Millis()> clock,
                         bands::RigTiming timing)
    : controller_(controller),
      view_(view),
      clock_(std::move(clock)),
      following_(socket, datagrams, [this](std::uint32_t mask) { ApplyBandMask(mask); },
                 settings, timing) {
    following_.follower().OnProtect([this](bool protect) { OnProtect(protect); });
    following_.NameMasks([this](std::uint32_t mask) {
        const AntennaNames& names = controller_.Names();
        return AnyNamed(names) ? MaskAsNames(names, mask) : std::string();
    });
}

BandSession::~BandSession() {
    following_.follower().OnProtect({});
    following_.follower().Disable();
}

void BandSession::ApplyBandMask(std::uint32_t mask) {
    // Keyed, a band change waits for the receiver's antennas to come back; locked, it is
    // refused as every change is.
    if (controller_.TransmitProtected() && !controller_.Locked()) {
        heldBandMask_ = mask;
        return;
    }
    ApplyRuleMask(controller_, mask);
}

void BandSession::OnProtect(bool protect) {
    controller_.SetTransmitProtect(protect);
    if (protect) return;
    if (const std::optional<std::uint32_t> mask = std::exchange(heldBandMask_, std::nullopt)) {
        ApplyBandMask(*mask);
    }
}

void BandSession::Reload() {
    // Without a box, a band change kept for the end of a transmission has nothing to go to.
    if (!controller_.DevicePresent()) heldBandMask_.reset();
    following_.UseBox(PresentBoxSerial(controller_), clock_());
    Settle();
}

void BandSession::OnTimer() {
    following_.follower().Tick(clock_());
    Settle();
}

bands::BandsReply BandSession::Command(std::string_view request) {
    if (request.size() > bands::kMaxRequestBytes) return bands::RequestTooLong();
    bands::BandsReply reply = following_.Command(request, clock_());
    Settle();
    return reply;
}

void BandSession::OpenDialog() {
    if (!following_.HasBox()) {
        view_.ShowNoBoxNotice();
        return;
    }
    view_.RunBandsDialog(following_);
    Settle();
}

void BandSession::Stop() {
    heldBandMask_.reset();
    following_.follower().Disable();
    view_.ArmBandTimer(std::nullopt);
    view_.WatchSocket();
}

void BandSession::Shutdown() {
    Stop();
    controller_.Shutdown();
}

void BandSession::Settle() {
    view_.WatchSocket();
    const bands::Millis now = clock_();
    if (const std::optional<bands::Millis> due = following_.follower().NextDue()) {
        view_.ArmBandTimer(std::clamp<bands::Millis>(*due - now, 0, kLongestBandWait));
    } else {
        view_.ArmBandTimer(std::nullopt);
    }
    ShowStatus(following_.follower().StatusText());
}

void BandSession::ShowStatus(const std::string& status) {
    if (status == shownStatus_) return;
    shownStatus_ = status;
    controller_.ShowBandStatus(status);
    ShowLine();
}

void BandSession::ShowLockLine(const std::string& text) {
    lockLine_ = text;
    ShowLine();
}

void BandSession::ShowMqttLine(const std::string& text) {
    mqttLine_ = text;
    ShowLine();
}

void BandSession::ShowLine() {
    std::string line;
    for (const std::string* part : {&lockLine_, &shownStatus_, &mqttLine_}) {
        if (!line.empty() && !part->empty()) line += "; ";
        line += *part;
    }
    if (line == shownLine_) return;
    if (line.empty()) {
        view_.RemoveBandLine();
    } else {
        if (shownLine_.empty()) view_.AddBandLine();
        view_.SetBandLineText(line);
    }
    shownLine_ = std::move(line);
}

std::int32_t ApplyRuleMask(SwitchController& controller, std::uint32_t ruleMask) {
    const std::uint32_t fourth = controller.AntennaOn(3) != 0 ? 8u : 0u;
    return controller.SetAntennaMask((ruleMask & bands::kMaxRuleMask) | fourth);
}

std::string PresentBoxSerial(const SwitchController& controller) {
    return controller.DevicePresent() ? controller.Node().serial : std::string();
}

}  // namespace torvik

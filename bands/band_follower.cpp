#include "bands/band_follower.h"

#include <algorithm>
#include <utility>

namespace torvik::bands {

std::optional<std::uint32_t> BandCrossing::Enter(const std::vector<BandRule>& rules,
                                                 std::uint64_t hz) {
    const std::optional<std::size_t> rule = FindRule(rules, hz);
    const bool entered = rule && rule != current_;
    current_ = rule;
    if (!entered) return std::nullopt;
    return rules[*rule].mask;
}

BandFollower::BandFollower(RigSocket& socket, DatagramSocket& datagrams,
                           std::function<void(std::uint32_t)> apply, RigTiming timing,
                           PushTiming pushTiming)
    : apply_(std::move(apply)),
      link_(socket, [this](std::uint64_t hz) { OnFrequency(hz); }, timing),
      listener_(datagrams, [this](std::uint64_t hz) { OnFrequency(hz); }, pushTiming) {
    HearTransmitter();
}

BandFollower::BandFollower(RigSocket& socket, std::function<void(std::uint32_t)> apply,
                           RigTiming timing)
    : apply_(std::move(apply)),
      link_(socket, [this](std::uint64_t hz) { OnFrequency(hz); }, timing),
      listener_(noDatagrams_, [this](std::uint64_t hz) { OnFrequency(hz); }) {
    HearTransmitter();
}

void BandFollower::HearTransmitter() {
    const auto report = [this](TransmitReport what, Millis now) { guard_.Report(what, now); };
    link_.OnTransmit(report);
    listener_.OnTransmit(report);
}

void BandFollower::Tick(Millis now) {
    link_.Tick(now);
    listener_.Tick(now);
    guard_.Tick(now);
}

std::optional<Millis> BandFollower::NextDue() const {
    std::optional<Millis> due;
    for (const std::optional<Millis> next : {link_.NextDue(), listener_.NextDue(), guard_.NextDue()}) {
        if (next && (!due || *next < *due)) due = next;
    }
    return due;
}

void BandFollower::Configure(const BandPlan& plan, Millis now) {
    const bool wasOn = configured_ && plan_.follow;
    const bool sameSource = configured_ && plan_.source == plan.source;
    if (!configured_ || plan.rules != plan_.rules || (plan.follow && !wasOn)) crossing_.Reset();
    const bool protectOn = plan.follow && plan.protect;
    plan_ = plan;
    configured_ = true;
    addressError_.clear();
    guard_.Configure(protectOn, plan.hangMs);
    link_.AskTransmit(protectOn);

    if (!plan.follow) {
        link_.Stop();
        listener_.Stop();
        lastHz_.reset();
        return;
    }
    const Checked<FrequencySource> source = ParseSource(plan.source);
    if (!source) {
        link_.Stop();
        listener_.Stop();
        guard_.Release();
        addressError_ = source.error;
        return;
    }
    if (wasOn && sameSource && Active()) return;
    // Another source says nothing about the transmitter the old one heard.
    guard_.Release();
    lastHz_.reset();
    if (source.value->Pushed()) {
        link_.Stop();
        listener_.Start(*source.value, now);
    } else {
        listener_.Stop();
        link_.Start(*source.value, now);
    }
}

void BandFollower::Disable() {
    link_.Stop();
    listener_.Stop();
    guard_.Forget();
    configured_ = false;
    plan_ = {};
    addressError_.clear();
    lastHz_.reset();
    crossing_.Reset();
}

void BandFollower::OnFrequency(std::uint64_t hz) {
    lastHz_ = hz;
    if (const std::optional<std::uint32_t> mask = crossing_.Enter(plan_.rules, hz)) {
        apply_(*mask);
    }
}

std::string BandFollower::StatusText() const {
    if (!addressError_.empty()) return "band following: " + addressError_;
    if (!Active()) return {};
    if (guard_.Protecting()) return ProtectedStatus();
    const bool pushed = listener_.state() != PushListener::State::kStopped;
    std::string status = pushed ? PushedStatus() : PolledStatus();
    const bool heard = pushed || link_.trouble() == RigLink::Trouble::kNone;
    if (const std::string unknown = TransmitUnknownText(guard_.Last()); heard && !unknown.empty()) {
        status += "; " + unknown;
    }
    return status;
}

std::string BandFollower::ProtectedStatus() const {
    std::string status = kTransmittingText;
    const bool pushed = listener_.state() != PushListener::State::kStopped;
    const bool unheard =
        pushed ? listener_.Silent() || listener_.state() == PushListener::State::kUnbound
               : link_.state() == RigLink::State::kPaused ||
                     link_.state() == RigLink::State::kConnecting;
    if (unheard) {
        status += " until the radio reports receive (";
        status += pushed ? PushedStatus() : PolledStatus();
        status += ")";
    }
    return status;
}

std::string BandFollower::PolledStatus() const {
    const std::string name = SourceName(link_.kind());
    const std::string at = " at " + link_.address().Text();
    switch (link_.trouble()) {
    case RigLink::Trouble::kNone:
        if (!lastHz_) return "connecting to " + name + at;
        if (!FindRule(plan_.rules, *lastHz_)) {
            return "following " + MegahertzText(*lastHz_) + " (no rule)";
        }
        return "following " + MegahertzText(*lastHz_);
    case RigLink::Trouble::kUnreachable: return name + " not reachable" + at;
    case RigLink::Trouble::kSilent: return name + at + " does not answer";
    case RigLink::Trouble::kFlood: return name + at + " sends too much";
    case RigLink::Trouble::kRigError:
        return name + at + " reports error " + std::to_string(link_.rigErrorCode());
    case RigLink::Trouble::kUnreadable: return name + at + " sent an unreadable answer";
    }
    return {};
}

std::string BandFollower::PushedStatus() const {
    const FrequencySource& source = listener_.source();
    const std::string name = SourceName(source.kind);
    const std::string on = " on " + source.address.Text();
    if (listener_.state() == PushListener::State::kUnbound) {
        return "cannot listen for " + name + on + " (port in use?)";
    }
    if (listener_.Silent()) return "source silent: nothing from " + name + on;
    if (!listener_.Heard()) return "waiting for " + name + on;
    if (listener_.NoRadio()) {
        return "logger reports no radio " + std::to_string(source.radio) + on;
    }
    if (!lastHz_) return "waiting for " + name + on;
    if (!FindRule(plan_.rules, *lastHz_)) {
        return "following " + MegahertzText(*lastHz_) + " (no rule)";
    }
    return "following " + MegahertzText(*lastHz_);
}

std::string TipWithBandStatus(const std::string& tip, const std::string& status) {
    constexpr std::size_t kTipLength = 63;
    if (status.empty() || tip.size() + 1 >= kTipLength) return tip.substr(0, kTipLength);
    return tip + "\n" + status.substr(0, kTipLength - tip.size() - 1);
}

}  // namespace torvik::bands

#include "bands/band_follower.h"

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

BandFollower::BandFollower(RigSocket& socket, std::function<void(std::uint32_t)> apply,
                           RigTiming timing)
    : apply_(std::move(apply)),
      link_(socket, [this](std::uint64_t hz) { OnFrequency(hz); }, timing) {}

void BandFollower::Configure(const BandPlan& plan, Millis now) {
    const bool wasOn = configured_ && plan_.follow;
    const bool sameSource = configured_ && plan_.source == plan.source;
    if (!configured_ || plan.rules != plan_.rules || (plan.follow && !wasOn)) crossing_.Reset();
    plan_ = plan;
    configured_ = true;
    addressError_.clear();

    if (!plan.follow) {
        link_.Stop();
        lastHz_.reset();
        return;
    }
    const Checked<SourceAddress> address = ParseSourceAddress(plan.source);
    if (!address) {
        link_.Stop();
        addressError_ = address.error;
        return;
    }
    if (wasOn && sameSource && Active()) return;
    lastHz_.reset();
    link_.Start(*address.value, now);
}

void BandFollower::Disable() {
    link_.Stop();
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
    const std::string at = " at " + link_.address().Text();
    switch (link_.trouble()) {
    case RigLink::Trouble::kNone:
        if (!lastHz_) return "connecting to rig" + at;
        if (!FindRule(plan_.rules, *lastHz_)) {
            return "following " + MegahertzText(*lastHz_) + " (no rule)";
        }
        return "following " + MegahertzText(*lastHz_);
    case RigLink::Trouble::kUnreachable: return "rig not reachable" + at;
    case RigLink::Trouble::kSilent: return "rig" + at + " does not answer";
    case RigLink::Trouble::kFlood: return "rig" + at + " sends too much";
    case RigLink::Trouble::kRigError:
        return "rig" + at + " reports error " + std::to_string(link_.rigErrorCode());
    case RigLink::Trouble::kUnreadable: return "rig" + at + " sent an unreadable answer";
    }
    return {};
}

std::string TipWithBandStatus(const std::string& tip, const std::string& status) {
    constexpr std::size_t kTipLength = 63;
    if (status.empty() || tip.size() + 1 >= kTipLength) return tip.substr(0, kTipLength);
    return tip + "\n" + status.substr(0, kTipLength - tip.size() - 1);
}

}  // namespace torvik::bands

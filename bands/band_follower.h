#pragma once
// Band following proper: the frequencies the link hears, turned into antenna changes. A rule's
// mask is applied once, when the frequency enters that rule's range from anywhere else; while
// it stays inside, nothing is applied again, so a click or hotkey of the user holds until the
// next band change. Outside every rule nothing changes.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bands/band_rules.h"
#include "bands/rig_link.h"

namespace torvik::bands {

class BandCrossing {
public:
    // The mask to apply for hz: only when hz lies in a rule other than the one the previous
    // frequency lay in (or when there was none).
    std::optional<std::uint32_t> Enter(const std::vector<BandRule>& rules, std::uint64_t hz);
    // The next frequency inside a rule applies it.
    void Reset() { current_.reset(); }

private:
    std::optional<std::size_t> current_;
};

class BandFollower {
public:
    // apply receives a rule's mask (bits 0 to 2).
    BandFollower(RigSocket& socket, std::function<void(std::uint32_t mask)> apply,
                 RigTiming timing = {});

    // Takes a plan (on load, a box change, an edit). Changed rules or a switch turned on start
    // the crossing over; the connection is kept when following stays on at the same address.
    void Configure(const BandPlan& plan, Millis now);
    // No box: nothing to follow for.
    void Disable();

    RigLink& link() { return link_; }
    const RigLink& link() const { return link_; }
    bool Active() const { return link_.state() != RigLink::State::kStopped; }

    // "" while off; "following 7.074 MHz", "rig not reachable at 127.0.0.1:4532", ...
    std::string StatusText() const;

private:
    void OnFrequency(std::uint64_t hz);

    std::function<void(std::uint32_t)> apply_;
    RigLink link_;
    BandPlan plan_;
    bool configured_ = false;
    std::string addressError_;
    BandCrossing crossing_;
    std::optional<std::uint64_t> lastHz_;
};

// The tray tip with band following's status on a line of its own under it; what does not fit
// the tip's 63 characters is cut from the status, never from the tip.
std::string TipWithBandStatus(const std::string& tip, const std::string& status);

}  // namespace torvik::bands

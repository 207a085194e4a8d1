#pragma once
// Band following proper: the frequencies the link hears, turned into antenna changes. A rule's
// mask is applied once, when the frequency enters that rule's range from anywhere else; while
// it stays inside, nothing is applied again, so a click or hotkey of the user holds until the
// next band change. Outside every rule nothing changes. With protection on, the source's
// transmit state goes to a TransmitGuard, which tells protect and release.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bands/band_rules.h"
#include "bands/push_listener.h"
#include "bands/rig_link.h"
#include "bands/transmit_guard.h"

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
    // apply receives a rule's mask (bits 0 to 2). The rig socket serves the polled sources,
    // the datagram socket the pushed ones.
    BandFollower(RigSocket& socket, DatagramSocket& datagrams,
                 std::function<void(std::uint32_t mask)> apply, RigTiming timing = {},
                 PushTiming pushTiming = {});
    // For a platform or a test with polled sources only.
    BandFollower(RigSocket& socket, std::function<void(std::uint32_t mask)> apply,
                 RigTiming timing = {});

    // Takes a plan (on load, a box change, an edit). Changed rules or a switch turned on start
    // the crossing over; the connection is kept when following stays on at the same address.
    void Configure(const BandPlan& plan, Millis now);
    // No box, or the program ends: nothing to follow for. A protected box is not released
    // (the program ends with the antennas off while the radio may still transmit).
    void Disable();
    // Hears true when the transmitter keys (protect) and false after the hang time of receive.
    void OnProtect(std::function<void(bool protect)> onProtect) {
        guard_.OnChange(std::move(onProtect));
    }
    const TransmitGuard& guard() const { return guard_; }

    RigLink& link() { return link_; }
    const RigLink& link() const { return link_; }
    PushListener& listener() { return listener_; }
    const PushListener& listener() const { return listener_; }
    bool Active() const {
        return link_.state() != RigLink::State::kStopped ||
               listener_.state() != PushListener::State::kStopped;
    }
    // Runs whatever of the link or the listener is due, and when to come back.
    void Tick(Millis now);
    std::optional<Millis> NextDue() const;

    // "" while off; "following 7.074 MHz", "rig not reachable at 127.0.0.1:4532", ...
    std::string StatusText() const;

private:
    // Takes the place of a datagram socket where the platform gives none: it never listens.
    class NoDatagrams final : public DatagramSocket {
    public:
        bool Listen(const SourceAddress&) override { return false; }
        void Close() override {}
    };

    void OnFrequency(std::uint64_t hz);
    // The link's and the listener's transmit reports go to the guard.
    void HearTransmitter();
    std::string PolledStatus() const;
    // The status while protecting: kTransmittingText, and why it stays so when the source is
    // not heard.
    std::string ProtectedStatus() const;
    std::string PushedStatus() const;

    NoDatagrams noDatagrams_;
    std::function<void(std::uint32_t)> apply_;
    RigLink link_;
    PushListener listener_;
    BandPlan plan_;
    bool configured_ = false;
    std::string addressError_;
    BandCrossing crossing_;
    TransmitGuard guard_;
    std::optional<std::uint64_t> lastHz_;
};

// The tray tip with band following's status on a line of its own under it; what does not fit
// the tip's 63 characters is cut from the status, never from the tip.
std::string TipWithBandStatus(const std::string& tip, const std::string& status);

}  // namespace torvik::bands

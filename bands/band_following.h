#pragma once
// What a platform's main window holds for band following: the present box's plan as stored in
// Torvik.ini, the follower that acts on it, and the one way to change it (the dialog's OK and
// torvikctl's commands both store first and take the plan only when it was stored).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bands/band_follower.h"
#include "bands/bands_command.h"

namespace torvik {
class SettingsStore;
}

namespace torvik::bands {

class BandFollowing {
public:
    BandFollowing(RigSocket& socket, std::function<void(std::uint32_t mask)> apply,
                  SettingsStore& settings, RigTiming timing = {});
    // With a datagram socket for the pushed sources.
    BandFollowing(RigSocket& socket, DatagramSocket& datagrams,
                  std::function<void(std::uint32_t mask)> apply, SettingsStore& settings,
                  RigTiming timing = {});

    // After every settings load: the box's plan (serial empty: no box, following stops).
    void UseBox(std::string_view serial, Millis now);
    // Stores plan in the box's section and takes it; false, with nothing changed, when there is
    // no box or the file could not be written.
    bool Store(const BandPlan& plan, Millis now);
    // A torvikctl request (the words after "bands", as JoinWords made them); the listing names
    // each rule's antennas through maskNames, or through those given to NameMasks.
    BandsReply Command(std::string_view request, Millis now, const MaskNames& maskNames = {});
    // How the listing and the dialog name a rule's antennas (empty text: the box names none).
    void NameMasks(MaskNames maskNames) { maskNames_ = std::move(maskNames); }
    const MaskNames& maskNames() const { return maskNames_; }

    bool HasBox() const { return !serial_.empty(); }
    const BandPlan& plan() const { return plan_; }
    const std::vector<std::string>& problems() const { return problems_; }
    BandFollower& follower() { return follower_; }
    const BandFollower& follower() const { return follower_; }

private:
    SettingsStore& settings_;
    std::string serial_;
    BandPlan plan_;
    std::vector<std::string> problems_;
    MaskNames maskNames_;
    BandFollower follower_;
};

}  // namespace torvik::bands

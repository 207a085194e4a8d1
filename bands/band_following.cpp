#include "bands/band_following.h"

#include <utility>

#include "bands/band_store.h"

namespace torvik::bands {

BandFollowing::BandFollowing(RigSocket& socket, std::function<void(std::uint32_t)> apply,
                             SettingsStore& settings, RigTiming timing)
    : settings_(settings), follower_(socket, std::move(apply), timing) {}

BandFollowing::BandFollowing(RigSocket& socket, DatagramSocket& datagrams,
                             std::function<void(std::uint32_t)> apply, SettingsStore& settings,
                             RigTiming timing)
    : settings_(settings), follower_(socket, datagrams, std::move(apply), timing) {}

void BandFollowing::UseBox(std::string_view serial, Millis now) {
    serial_ = serial;
    if (serial_.empty()) {
        plan_ = {};
        problems_.clear();
        follower_.Disable();
        return;
    }
    LoadedPlan loaded = LoadPlan(settings_, BandsSectionName(serial_));
    plan_ = std::move(loaded.plan);
    problems_ = std::move(loaded.problems);
    follower_.Configure(plan_, now);
}

bool BandFollowing::Store(const BandPlan& plan, Millis now) {
    if (serial_.empty() || !SavePlan(settings_, BandsSectionName(serial_), plan)) return false;
    plan_ = plan;
    problems_.clear();
    follower_.Configure(plan_, now);
    return true;
}

BandsReply BandFollowing::Command(std::string_view request, Millis now,
                                  const MaskNames& maskNames) {
    if (serial_.empty()) return {kReplyNoBox, "no box connected: band rules belong to a box\n"};
    const PlanEdit edit = EditPlan(plan_, SplitWords(request));
    if (!edit.error.empty()) return {kReplyUsage, edit.error + "\n"};
    if (edit.changes && !Store(edit.plan, now)) {
        return {kReplyNotStored, "Torvik.ini could not be written; nothing changed\n"};
    }
    const std::string status = follower_.StatusText();
    return {kReplyOk, ListText(plan_, problems_, maskNames ? maskNames : maskNames_) + "status: " +
                          (status.empty() ? "off" : status) + "\n"};
}

}  // namespace torvik::bands

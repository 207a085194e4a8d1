#include "bands/band_following.h"

#include <utility>

#include "app/switch_controller.h"
#include "bands/band_store.h"
#include "core/profile_file.h"

namespace torvik::bands {

BandFollowing::BandFollowing(RigSocket& socket, std::function<void(std::uint32_t)> apply,
                             std::string iniPath, RigTiming timing)
    : iniPath_(std::move(iniPath)), follower_(socket, std::move(apply), timing) {}

void BandFollowing::UseBox(std::string_view serial, Millis now) {
    serial_ = serial;
    if (serial_.empty()) {
        plan_ = {};
        problems_.clear();
        follower_.Disable();
        return;
    }
    LoadedPlan loaded = LoadPlan(iniPath_, SectionName(serial_));
    plan_ = std::move(loaded.plan);
    problems_ = std::move(loaded.problems);
    follower_.Configure(plan_, now);
}

bool BandFollowing::Store(const BandPlan& plan, Millis now) {
    if (serial_.empty() || !SavePlan(iniPath_, SectionName(serial_), plan)) return false;
    plan_ = plan;
    problems_.clear();
    follower_.Configure(plan_, now);
    return true;
}

BandsReply BandFollowing::Command(std::string_view request, Millis now) {
    if (serial_.empty()) return {kReplyNoBox, "no box connected: band rules belong to a box\n"};
    const PlanEdit edit = EditPlan(plan_, SplitWords(request));
    if (!edit.error.empty()) return {kReplyUsage, edit.error + "\n"};
    if (edit.changes && !Store(edit.plan, now)) {
        return {kReplyNotStored, "Torvik.ini could not be written; nothing changed\n"};
    }
    const std::string status = follower_.StatusText();
    // The names as stored now, so a rename shows at once.
    const AntennaNames names = LoadNames(
        serial_ + "_KEYSET", [this](const std::string& section, const char* key) {
            return profile::ReadString(iniPath_, section, key);
        });
    return {kReplyOk, ListText(plan_, problems_, names) + "status: " +
                          (status.empty() ? "off" : status) + "\n"};
}

std::int32_t ApplyRuleMask(SwitchController& controller, std::uint32_t ruleMask) {
    const std::uint32_t fourth = controller.AntennaOn(3) != 0 ? 8u : 0u;
    return controller.SetAntennaMask((ruleMask & kMaxRuleMask) | fourth);
}

std::string PresentBoxSerial(const SwitchController& controller) {
    return controller.DevicePresent() ? controller.Node().SerialNumber : std::string();
}

}  // namespace torvik::bands

#include "app/station_command.h"

#include <optional>

#include "app/ctl_command.h"

namespace torvik {
namespace {

bands::BandsReply Refused(int code, std::string text) { return {code, std::move(text) + "\n"}; }

std::optional<int> AntennaNumber(const std::string& word) {
    if (word == "1" || word == "2" || word == "3") return word[0] - '1';
    return std::nullopt;
}

std::string NamesListing(const AntennaNames& names) {
    std::string text;
    for (int i = 0; i < kNamedAntennas; ++i) {
        text += std::to_string(i + 1) + ": " + ShownName(names, i);
        if (names[static_cast<std::size_t>(i)].empty()) text += " (no name)";
        text += "\n";
    }
    return text;
}

bands::BandsReply RunNames(SwitchController& controller, const std::vector<std::string>& words) {
    if (!controller.DevicePresent()) return Refused(bands::kReplyNoBox, "no box connected");
    if (words.size() == 1) return {bands::kReplyOk, NamesListing(controller.Names())};
    const bool set = words[1] == "set" && words.size() == 4;
    const bool clear = words[1] == "clear" && words.size() == 3;
    if (!set && !clear) return Refused(bands::kReplyUsage, "not a names command\n" + StationUsage());
    const std::optional<int> antenna = AntennaNumber(words[2]);
    if (!antenna) {
        std::string text = "no antenna ";
        text.append(words[2], 0, 12).append(" (1 to 3)");
        return Refused(bands::kReplyUsage, std::move(text));
    }
    const std::string problem = controller.RenameAntenna(*antenna, set ? words[3] : std::string());
    if (!problem.empty()) {
        return Refused(problem == kNamesNotWritten ? bands::kReplyNotStored : bands::kReplyUsage,
                       "name refused: " + problem);
    }
    return {bands::kReplyOk, NamesListing(controller.Names())};
}

std::string LockText(const SwitchController& controller) {
    const auto mask = static_cast<std::uint32_t>(controller.GetAntennaMask()) >> 16 & 0xF;
    const char* state = controller.Locked()              ? "locked"
                        : controller.TransmitProtected() ? kTransmitHeldWord
                                                         : "unlocked";
    return std::string(state) + ": mask " +
           std::to_string(mask) + ", protect mask " + std::to_string(controller.ProtectMask()) +
           "\n";
}

bands::BandsReply RunLock(SwitchController& controller, const std::vector<std::string>& words) {
    if (!controller.DevicePresent()) return Refused(bands::kReplyNoBox, "no box connected");
    if (words[0] == "unlock" && words.size() == 1) {
        controller.Unlock();
    } else if (words[0] == "lock" && words.size() == 1) {
        controller.Lock();
    } else if (words[0] == "lock" && words.size() == 2 && words[1] == "status") {
        // Only tells.
    } else if (words[0] == "lock" && words.size() == 3 && words[1] == "protect") {
        const std::optional<std::uint32_t> mask = ctl::ParseMask(words[2]);
        if (!mask) {
            std::string text = "'";   // appended: GCC 12 misreads a chain of + here
            text.append(words[2], 0, 12).append("' is not a mask from 0 to 15");
            return Refused(bands::kReplyUsage, std::move(text));
        }
        controller.SetProtectMask(*mask);
    } else {
        return Refused(bands::kReplyUsage, "not a lock command\n" + StationUsage());
    }
    return {bands::kReplyOk, LockText(controller)};
}

}  // namespace

bool IsStationWord(const std::string& word) {
    return word == "names" || word == "lock" || word == "unlock" || word == "mqtt";
}

bool SaysLocked(std::string_view replyText) { return replyText.rfind("locked:", 0) == 0; }

bool SaysTransmitHeld(std::string_view replyText) {
    return replyText.starts_with(kTransmitHeldWord) &&
           replyText.substr(std::string_view(kTransmitHeldWord).size()).starts_with(':');
}

bands::BandsReply RunStationWords(SwitchController& controller,
                                  const std::vector<std::string>& words) {
    if (!words.empty() && words[0] == "names") return RunNames(controller, words);
    if (!words.empty() && (words[0] == "lock" || words[0] == "unlock")) {
        return RunLock(controller, words);
    }
    return Refused(bands::kReplyUsage, "not a command Torvik knows\n" + StationUsage());
}

bands::BandsReply RunStationRequest(SwitchController& controller, std::string_view request) {
    if (request.size() > bands::kMaxRequestBytes) return bands::RequestTooLong();
    return RunStationWords(controller, bands::SplitWords(request));
}

std::string StationUsage() {
    return "  names                      lists the antennas' names\n"
           "  names set N TEXT           names antenna N (1 to 3): at most 24 characters, one\n"
           "                             argument (quote it); non-ASCII only in a UTF-16 file\n"
           "  names clear N              removes antenna N's name (\"Antenna N\" again)\n"
           "  lock                       storm lock: the box's outputs become its protect mask\n"
           "                             and every change is refused until unlock; it holds\n"
           "                             through a restart and a replug; prints the state\n"
           "  lock protect MASK          the box's protect mask (0 to 15, default 0: all off)\n"
           "  lock status                prints \"locked: ...\" or \"unlocked: ...\"\n"
           "  unlock                     brings back the antennas from before the lock\n"
           "  mqtt [show]                the MQTT settings (never the password) and status\n"
           "  mqtt on | off              connects to the broker, or stays away from it\n"
           "  mqtt set KEY VALUE         KEY: host, port, prefix, user, password, client-id,\n"
           "                             ca (a CA file), tls (on or off); \"\" clears a text\n";
}

}  // namespace torvik

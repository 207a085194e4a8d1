#include "bands/bands_command.h"

#include <optional>

#include "bands/source_kind.h"

namespace torvik::bands {
namespace {

constexpr char kWordSeparator = '\n';

PlanEdit Refused(std::string error) {
    return {false, {}, std::move(error)};
}

PlanEdit Changed(BandPlan plan) {
    return {true, std::move(plan), {}};
}

// A rule number from 1 to count (or count + 1 when appending is allowed).
std::optional<std::size_t> RuleNumber(std::string_view text, std::size_t highest) {
    const Checked<std::uint64_t> number = ParseFrequency(text);
    if (!number || *number.value == 0 || *number.value > highest) return std::nullopt;
    return static_cast<std::size_t>(*number.value);
}

std::string NoRule(std::string_view text, std::size_t count) {
    return "no rule " + std::string(text.substr(0, 12)) + " (there are " + std::to_string(count) +
           ")";
}

}  // namespace

PlanEdit EditPlan(const BandPlan& plan, const std::vector<std::string>& words) {
    const std::string verb = words.empty() ? "list" : words[0];
    const std::size_t count = plan.rules.size();
    BandPlan edited = plan;
    if (verb == "list" && words.size() <= 1) return {false, plan, {}};
    if ((verb == "on" || verb == "off") && words.size() == 1) {
        edited.follow = verb == "on";
        return Changed(std::move(edited));
    }
    if (verb == "protect" && words.size() == 2 && (words[1] == "on" || words[1] == "off")) {
        edited.protect = words[1] == "on";
        return Changed(std::move(edited));
    }
    if (verb == "hang" && words.size() == 2) {
        const Checked<std::uint32_t> ms = ParseHangTime(words[1]);
        if (!ms) return Refused(ms.error);
        edited.hangMs = *ms.value;
        return Changed(std::move(edited));
    }
    if (verb == "source" && words.size() == 2) {
        const Checked<FrequencySource> source = ParseSource(words[1]);
        if (!source) return Refused(source.error);
        edited.source = source.value->Text();
        return Changed(std::move(edited));
    }
    if ((verb == "add" && words.size() == 4) || (verb == "set" && words.size() == 5)) {
        const std::size_t first = verb == "add" ? 1 : 2;
        std::size_t number = count + 1;
        if (verb == "set") {
            const std::optional<std::size_t> chosen = RuleNumber(words[1], count + 1);
            if (!chosen) return Refused(NoRule(words[1], count) + "; set takes 1 to " +
                                        std::to_string(count + 1));
            number = *chosen;
        }
        if (number > kMaxRules) {
            return Refused("at most " + std::to_string(kMaxRules) + " rules");
        }
        Checked<BandRule> rule = MakeRule(words[first], words[first + 1], words[first + 2]);
        if (!rule) return Refused(rule.error);
        if (number > count) {
            edited.rules.push_back(*rule.value);
        } else {
            edited.rules[number - 1] = *rule.value;
        }
        return Changed(std::move(edited));
    }
    if (verb == "clear" && words.size() == 2) {
        if (words[1] == "all") {
            edited.rules.clear();
            return Changed(std::move(edited));
        }
        const std::optional<std::size_t> number = RuleNumber(words[1], count);
        if (!number) return Refused(NoRule(words[1], count));
        edited.rules.erase(edited.rules.begin() + static_cast<std::ptrdiff_t>(*number - 1));
        return Changed(std::move(edited));
    }
    return Refused("not a bands command\n" + BandsUsage());
}

std::string ListText(const BandPlan& plan, const std::vector<std::string>& problems,
                     const MaskNames& maskNames) {
    std::string text = std::string("following ") + (plan.follow ? "on" : "off") + ", source " +
                       plan.source + "\n" + "antennas off while transmitting: " +
                       (plan.protect ? "on" : "off") + ", hang time " +
                       std::to_string(plan.hangMs) + " ms\n";
    if (plan.rules.empty()) text += "no rules\n";
    for (std::size_t i = 0; i < plan.rules.size(); ++i) {
        const BandRule& rule = plan.rules[i];
        text += std::to_string(i + 1) + ": " + std::to_string(rule.fromHz) + " to " +
                std::to_string(rule.toHz) + " Hz, mask " + std::to_string(rule.mask);
        const std::string named = maskNames ? maskNames(rule.mask) : std::string();
        if (!named.empty()) text += " (" + named + ")";
        text += "\n";
    }
    for (const std::string& note : OverlapNotes(plan.rules)) text += "note: " + note + "\n";
    for (const std::string& problem : problems) text += "in Torvik.ini: " + problem + "\n";
    return text;
}

std::string BandsUsage() {
    return "  bands                      lists the band rules of the box, the switch and source\n"
           "  bands on | off             turns band following on or off\n"
           "  bands source SOURCE        the frequency source (default 127.0.0.1:4532):\n"
           "                             IP:PORT or rigctld:IP:PORT, flrig[:IP:PORT],\n"
           "                             radioinfo[:[IP:]PORT[:RADIO]], wsjtx[:[IP:]PORT]\n"
           "  bands protect on | off     the box's protect mask while the radio transmits\n"
           "  bands hang MS              receive this long (0 to 10000 ms, default 300)\n"
           "                             before the antennas come back\n"
           "  bands add FROM TO MASK     appends a rule: FROM to TO Hz (inclusive) selects\n"
           "                             MASK (0 to 7: 1 antenna 1, 2 antenna 2, 4 antenna 3)\n"
           "  bands set N FROM TO MASK   replaces rule N (or appends with N one past the last)\n"
           "  bands clear N | all        removes rule N, or every rule\n"
           "  The first rule holding the frequency wins; at most 16 rules.\n";
}

std::string JoinWords(const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text.push_back(kWordSeparator);
        text += words[i];
    }
    return text;
}

std::vector<std::string> SplitWords(std::string_view text) {
    std::vector<std::string> words;
    if (text.empty()) return words;
    for (;;) {
        const std::size_t end = text.find(kWordSeparator);
        words.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) return words;
        text.remove_prefix(end + 1);
    }
}

BandsReply RequestTooLong() {
    return {kReplyUsage, "request too long\n"};
}

}  // namespace torvik::bands

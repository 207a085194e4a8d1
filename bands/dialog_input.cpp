#include "bands/dialog_input.h"

#include "bands/source_kind.h"

namespace torvik::bands {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        const std::size_t start = at;
        while (at < line.size() && !IsBlank(line[at])) ++at;
        if (at > start) fields.push_back(line.substr(start, at - start));
    }
    return fields;
}

}  // namespace

std::string RulesBlock(const std::vector<BandRule>& rules) {
    std::string text;
    for (const BandRule& rule : rules) {
        text += std::to_string(rule.fromHz) + " " + std::to_string(rule.toHz) + " " +
                std::to_string(rule.mask) + "\n";
    }
    return text;
}

DialogCheck CheckDialogInput(bool follow, std::string_view source, std::string_view rulesText) {
    DialogCheck check;
    // Spaces around a pasted address are no mistake of the person.
    while (!source.empty() && IsBlank(source.front())) source.remove_prefix(1);
    while (!source.empty() && IsBlank(source.back())) source.remove_suffix(1);
    const Checked<FrequencySource> parsed = ParseSource(source);
    if (!parsed) {
        check.error = "Source: " + parsed.error;
        return check;
    }
    BandPlan plan{follow, parsed.value->Text(), {}};
    std::size_t lineNumber = 0;
    while (!rulesText.empty()) {
        const std::size_t end = rulesText.find('\n');
        const std::string_view line = rulesText.substr(0, end);
        rulesText.remove_prefix(end == std::string_view::npos ? rulesText.size() : end + 1);
        ++lineNumber;
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.empty()) continue;
        const std::string where = "Rules, line " + std::to_string(lineNumber) + ": ";
        if (fields.size() != 3) {
            check.error = where + "give FROM TO MASK, three numbers";
            return check;
        }
        if (plan.rules.size() == kMaxRules) {
            check.error = where + "at most " + std::to_string(kMaxRules) + " rules";
            return check;
        }
        const Checked<BandRule> rule = MakeRule(fields[0], fields[1], fields[2]);
        if (!rule) {
            check.error = where + rule.error;
            return check;
        }
        plan.rules.push_back(*rule.value);
    }
    check.notes = OverlapNotes(plan.rules);
    check.plan = std::move(plan);
    return check;
}

std::string NotesText(const DialogCheck& check, const std::vector<std::string>& problems) {
    std::string notes = check.error;
    for (const std::string& note : check.notes) notes += (notes.empty() ? "" : "\n") + note;
    if (notes.empty()) {
        for (const std::string& problem : problems) {
            notes += (notes.empty() ? "In Torvik.ini: " : "\n") + problem;
        }
    }
    return notes;
}

std::string RuleAntennasText(const std::vector<BandRule>& rules, const MaskNames& maskNames) {
    if (!maskNames || rules.empty() || maskNames(rules.front().mask).empty()) return {};
    std::string text = "Antennas:";
    for (std::size_t i = 0; i < rules.size(); ++i) {
        text += (i == 0 ? " " : "; ") + std::to_string(i + 1) + " " + maskNames(rules[i].mask);
    }
    return text;
}

}  // namespace torvik::bands

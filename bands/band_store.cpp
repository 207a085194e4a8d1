#include "bands/band_store.h"

#include <optional>

#include "core/file_io.h"
#include "core/ini_text.h"
#include "core/profile_encoding.h"
#include "core/profile_file.h"

namespace torvik::bands {
namespace {

constexpr const char* kKeyFollow = "FOLLOW";
constexpr const char* kKeySource = "SOURCE";
// Keys past the last rule that a hand-edited file may hold and a save must empty.
constexpr std::size_t kRuleKeysLooked = 2 * kMaxRules;

std::string RuleKey(std::size_t number) {
    return "RULE-" + std::to_string(number);
}

// The file's text as the profile engine reads it (UTF-16 files included), or nothing when it
// cannot be read; a missing file is an empty text when forUpdate.
std::optional<std::string> FileText(const std::string& iniPath, bool forUpdate) {
    const std::optional<std::string> bytes =
        forUpdate ? fileio::ReadFileForUpdate(iniPath) : fileio::ReadWholeFile(iniPath);
    if (!bytes) return std::nullopt;
    return profile::DecodeFile(*bytes).text;
}

std::optional<std::string> Value(std::string_view text, std::string_view section,
                                 std::string_view key) {
    const std::optional<std::string_view> raw = profile::FindValue(text, section, key);
    if (!raw) return std::nullopt;
    return std::string(profile::Unquote(*raw));
}

}  // namespace

std::string BandsSectionName(std::string_view serial) {
    return std::string(serial) + "_BANDS";
}

LoadedPlan LoadPlan(const std::string& iniPath, std::string_view section) {
    LoadedPlan loaded;
    const std::optional<std::string> text = FileText(iniPath, false);
    if (!text) return loaded;
    loaded.plan.follow =
        profile::IntFromValue(profile::FindValue(*text, section, kKeyFollow), 0) != 0;
    if (const auto source = Value(*text, section, kKeySource); source && !source->empty()) {
        loaded.plan.source = *source;
    }
    for (std::size_t number = 1; number <= kRuleKeysLooked; ++number) {
        const std::optional<std::string> value = Value(*text, section, RuleKey(number));
        if (!value || value->empty()) continue;
        if (number > kMaxRules) {
            loaded.problems.push_back(RuleKey(number) + " ignored: at most " +
                                      std::to_string(kMaxRules) + " rules");
            continue;
        }
        Checked<BandRule> rule = ParseRuleText(*value);
        if (!rule) {
            loaded.problems.push_back(RuleKey(number) + " ignored: " + rule.error);
            continue;
        }
        loaded.plan.rules.push_back(*rule.value);
    }
    return loaded;
}

bool SavePlan(const std::string& iniPath, std::string_view section, const BandPlan& plan) {
    if (plan.rules.size() > kMaxRules) return false;
    const std::optional<std::string> text = FileText(iniPath, true);
    if (!text) return false;

    std::vector<std::string> keys{kKeyFollow, kKeySource};
    std::vector<std::string> values{plan.follow ? "1" : "0", plan.source};
    for (std::size_t number = 1; number <= kRuleKeysLooked; ++number) {
        if (number <= plan.rules.size()) {
            keys.push_back(RuleKey(number));
            values.push_back(RuleText(plan.rules[number - 1]));
        } else if (profile::FindValue(*text, section, RuleKey(number))) {
            keys.push_back(RuleKey(number));
            values.emplace_back();
        }
    }
    std::vector<profile::KeyValue> pairs;
    pairs.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) pairs.push_back({keys[i], values[i]});
    return profile::WriteStrings(iniPath, section, pairs);
}

}  // namespace torvik::bands

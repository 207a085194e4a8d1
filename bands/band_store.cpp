#include "bands/band_store.h"

#include <optional>

#include "core/settings.h"

namespace torvik::bands {
namespace {

constexpr const char* kKeyFollow = "FOLLOW";
constexpr const char* kKeySource = "SOURCE";
constexpr const char* kKeyProtect = "TXPROTECT";
constexpr const char* kKeyHang = "TXHANG";
// Keys past the last rule that a hand-edited file may hold and a save must empty.
constexpr std::size_t kRuleKeysLooked = 2 * kMaxRules;

std::string RuleKey(std::size_t number) {
    return "RULE-" + std::to_string(number);
}

}  // namespace

std::string BandsSectionName(std::string_view serial) {
    return std::string(serial) + "_BANDS";
}

LoadedPlan LoadPlan(SettingsStore& store, const std::string& section) {
    LoadedPlan loaded;
    loaded.plan.follow = store.ReadIniInt(section, kKeyFollow, 0) != 0;
    if (const auto source = store.ReadString(section, kKeySource); source && !source->empty()) {
        loaded.plan.source = *source;
    }
    loaded.plan.protect = store.ReadIniInt(section, kKeyProtect, 0) != 0;
    if (const auto hang = store.ReadString(section, kKeyHang); hang && !hang->empty()) {
        const Checked<std::uint32_t> ms = ParseHangTime(*hang);
        if (ms) {
            loaded.plan.hangMs = *ms.value;
        } else {
            loaded.problems.push_back(std::string(kKeyHang) + " ignored: " + ms.error);
        }
    }
    for (std::size_t number = 1; number <= kRuleKeysLooked; ++number) {
        const std::optional<std::string> value = store.ReadString(section, RuleKey(number));
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

bool SavePlan(SettingsStore& store, const std::string& section, const BandPlan& plan) {
    if (plan.rules.size() > kMaxRules) return false;

    std::vector<std::string> keys{kKeyFollow, kKeySource};
    std::vector<std::string> values{plan.follow ? "1" : "0", plan.source};
    for (std::size_t number = 1; number <= kRuleKeysLooked; ++number) {
        if (number <= plan.rules.size()) {
            keys.push_back(RuleKey(number));
            values.push_back(RuleText(plan.rules[number - 1]));
        } else if (store.ReadString(section, RuleKey(number))) {
            keys.push_back(RuleKey(number));
            values.emplace_back();
        }
    }
    keys.insert(keys.end(), {kKeyProtect, kKeyHang});
    values.insert(values.end(), {plan.protect ? "1" : "0", std::to_string(plan.hangMs)});
    std::vector<profile::KeyValue> pairs;
    pairs.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) pairs.push_back({keys[i], values[i]});
    return store.WriteStrings(section, pairs);
}

}  // namespace torvik::bands

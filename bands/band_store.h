#pragma once
// Band following's settings in Torvik.ini: the section "<serial>_BANDS" beside the box's
// "<serial>_KEYSET", which is never touched, so a program that knows only the latter sees
// nothing new. Keys: FOLLOW (0 or 1), SOURCE (address text), RULE-1 to RULE-16 ("FROM,TO,MASK";
// an empty value is no rule), TXPROTECT (0 or 1) and TXHANG (milliseconds). Reads and writes go through the settings store, so a plan is
// written as every other setting is; every write is one replacement of the whole file.

#include <string>
#include <string_view>
#include <vector>

#include "bands/band_rules.h"

namespace torvik {
class SettingsStore;
}

namespace torvik::bands {

// "%s_BANDS" from the serial-number text.
std::string BandsSectionName(std::string_view serial);

struct LoadedPlan {
    BandPlan plan;
    // What was wrong in the file, one line each, naming the key; such a rule is left out.
    std::vector<std::string> problems;
};

// A missing file or section gives the defaults: off, 127.0.0.1:4532, no rules.
LoadedPlan LoadPlan(SettingsStore& store, const std::string& section);

// Stores the whole plan at once, or nothing. Keys of rules the plan no longer has are
// emptied. False when the file could not be read or replaced, or the plan cannot be stored
// (more than 16 rules, a source text that is not one line).
bool SavePlan(SettingsStore& store, const std::string& section, const BandPlan& plan);

}  // namespace torvik::bands

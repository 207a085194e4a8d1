#pragma once
// The "Band following" dialog's fields as text: the rules one a line, "FROM TO MASK". What the
// dialog shows under the rules (errors by line, overlap notes) and the plan its OK stores.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bands/band_rules.h"

namespace torvik::bands {

// One rule a line, "FROM TO MASK", separated by spaces or tabs, lines ending in CRLF (as an
// edit control holds them).
std::string RulesBlock(const std::vector<BandRule>& rules);

struct DialogCheck {
    std::optional<BandPlan> plan;  // when every field is good
    std::string error;             // the first thing wrong, naming the field or line
    std::vector<std::string> notes;  // overlaps (the first rule wins there)
};

// Blank lines are skipped; lines are numbered as the person sees them.
DialogCheck CheckDialogInput(bool follow, std::string_view source, std::string_view rulesText);

}  // namespace torvik::bands

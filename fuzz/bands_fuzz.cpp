// Fuzzes what band following reads from outside: the frequency source's bytes and the rule
// texts of Torvik.ini and torvikctl.
//
// The first byte chooses how the rest is read:
// - as the source's bytes, cut into pieces at the positions the next bytes give: the reader
//   never holds more than one line's worth, every frequency is in range, and feeding the same
//   bytes in one piece gives the same answers;
// - as a rule text, an address and torvikctl words: whatever parses re-reads to the same value
//   from its own text, and a rule never has from above to or a mask above 7.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bands/band_rules.h"
#include "bands/bands_command.h"
#include "bands/rig_answer.h"
#include "bands/source_kind.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace torvik::bands;
using torvik::fuzz::Require;

void CheckStream(std::string_view bytes, std::string_view cuts) {
    RigAnswerReader pieces;
    std::vector<RigAnswer> fromPieces;
    std::size_t at = 0;
    for (const char cut : cuts) {
        const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(cut),
                                                         bytes.size() - at);
        pieces.Feed(bytes.substr(at, length), fromPieces);
        Require(pieces.Pending() <= RigAnswerReader::kMaxLine + 1, "reader holds too much");
        at += length;
    }
    pieces.Feed(bytes.substr(at), fromPieces);

    RigAnswerReader whole;
    std::vector<RigAnswer> fromWhole;
    whole.Feed(bytes, fromWhole);
    Require(fromPieces == fromWhole, "answers depend on how the bytes were cut");
    for (const RigAnswer& answer : fromWhole) {
        Require(answer.hz <= kMaxFrequencyHz, "frequency out of range");
        Require(answer.kind == RigAnswer::Kind::kFrequency || answer.hz == 0, "stray frequency");
        Require(answer.code <= 0, "positive rig error");
    }
}

void CheckTexts(std::string_view text) {
    const Checked<BandRule> rule = ParseRuleText(text);
    if (rule) {
        Require(rule.value->fromHz <= rule.value->toHz, "from above to");
        Require(rule.value->mask <= kMaxRuleMask, "mask above 7");
        Require(rule.value->toHz <= kMaxFrequencyHz, "to out of range");
        const Checked<BandRule> again = ParseRuleText(RuleText(*rule.value));
        Require(again && *again.value == *rule.value, "rule text does not round-trip");
    } else {
        Require(!rule.error.empty(), "refused without a message");
    }
    const Checked<SourceAddress> address = ParseSourceAddress(text);
    if (address) {
        const Checked<SourceAddress> again = ParseSourceAddress(address.value->Text());
        Require(again && *again.value == *address.value, "address does not round-trip");
        Require(address.value->port != 0, "port 0");
    }
    BandPlan plan;
    plan.rules = {{7000000, 7300000, 2}};
    const PlanEdit edit = EditPlan(plan, SplitWords(text));
    if (edit.changes) {
        Require(edit.plan.rules.size() <= kMaxRules, "too many rules");
        for (const BandRule& r : edit.plan.rules) Require(r.fromHz <= r.toHz, "edit made from > to");
        Require(ParseSource(edit.plan.source).value.has_value(), "edit stored a bad source");
    } else {
        Require(edit.plan == plan || !edit.error.empty(), "refused without a message");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    if ((data[0] & 1) == 0) {
        const std::size_t split = std::min<std::size_t>(input.size(), data[0] >> 1);
        CheckStream(input.substr(split), input.substr(0, split));
    } else {
        CheckTexts(input);
    }
    return 0;
}

#pragma once
// "torvikctl bands ...": the words after "bands", how they change a plan, and the listing. The
// program applies them (it is the one writer of its settings); torvikctl only carries them.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bands/band_rules.h"

namespace torvik::bands {

// Codes of a reply; torvikctl exits with them.
inline constexpr int kReplyOk = 0;
inline constexpr int kReplyUsage = 1;
inline constexpr int kReplyNoBox = 4;
inline constexpr int kReplyNotStored = 5;

// The longest request torvikctl sends and the program reads.
inline constexpr std::size_t kMaxRequestBytes = 4096;

struct BandsReply {
    int code = kReplyOk;
    std::string text;
};

// The reply to a request longer than kMaxRequestBytes, or one that cannot be read.
BandsReply RequestTooLong();

// The antennas of a rule's mask by their names ("Mini-Whip, Antenna 3"); empty text while the
// box names none of its antennas.
using MaskNames = std::function<std::string(std::uint32_t mask)>;

struct PlanEdit {
    bool changes = false;  // false for "list" and for errors
    BandPlan plan;
    std::string error;     // a message for the person who typed the words
};

// list | on | off | protect on|off | hang MS | source ADDRESS | add FROM TO MASK | set N FROM TO MASK | clear N | clear all
PlanEdit EditPlan(const BandPlan& plan, const std::vector<std::string>& words);

// The switch, the source, one line per rule (its mask also as the antennas' names when the box
// has any), overlap notes and problems of the file.
std::string ListText(const BandPlan& plan, const std::vector<std::string>& problems,
                     const MaskNames& maskNames = {});

std::string BandsUsage();

// The words as one text for the message between torvikctl and the program, and back.
std::string JoinWords(const std::vector<std::string>& words);
std::vector<std::string> SplitWords(std::string_view text);

}  // namespace torvik::bands

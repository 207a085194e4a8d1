#pragma once
// The "Band following" dialog's fields as text: the rules one a line, "FROM TO MASK". What the
// dialog shows under the rules (errors by line, overlap notes) and the plan its OK stores.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bands/band_rules.h"
#include "bands/bands_command.h"

namespace torvik::bands {

// One rule a line, "FROM TO MASK", separated by spaces, each line ending in LF. Read back, a
// line may end in CRLF as well.
std::string RulesBlock(const std::vector<BandRule>& rules);

struct DialogCheck {
    std::optional<BandPlan> plan;  // when every field is good
    std::string error;             // the first thing wrong, naming the field or line
    std::vector<std::string> notes;  // overlaps (the first rule wins there)
};

// Blank lines are skipped; lines are numbered as the person sees them.
DialogCheck CheckDialogInput(bool follow, std::string_view source, std::string_view rulesText);

// What the dialog shows under the rules: the first mistake and the overlaps, or, when the fields
// are good, what was wrong in the stored section (problems), one a line.
std::string NotesText(const DialogCheck& check, const std::vector<std::string>& problems);

// The rules' masks as the antennas' names, for the line under the notes: "Antennas: 1 Mini-Whip;
// 2 Beverage NE, Antenna 3", numbered as the rules; empty while the box names no antenna.
std::string RuleAntennasText(const std::vector<BandRule>& rules, const MaskNames& maskNames);

// The dialog's messages, the same on every platform. Their caption is not the dialog's title,
// so that the two windows can be told apart.
inline constexpr const char* kMessageCaption = "Band rules";
inline constexpr const char* kNotStoredText = "Torvik.ini could not be written; nothing changed.";
// The tray item without a box: band rules belong to one.
inline constexpr const char* kNoBoxCaption = "Band following";
inline constexpr const char* kNoBoxText = "Band rules belong to a box: connect the box first.";

// The main window's status line while following is on, in dialog units: it goes under every
// control of the window's template, which grows by its height.
inline constexpr int kStatusLineUnits = 11;   // one line of the dialog font and a gap
inline constexpr int kStatusMarginUnits = 4;

}  // namespace torvik::bands

#pragma once
// "torvikctl names ...", and the words that come after it: carried as words to the running
// program (WM_COPYDATA with kStationRequestTag on Windows, the bus method Station on Linux),
// answered with a code (torvikctl's exit code) and a text.

#include <string>
#include <string_view>
#include <vector>

#include "app/switch_controller.h"
#include "bands/bands_command.h"

namespace torvik {

inline constexpr unsigned long kStationRequestTag = 0x5453544E;  // "TSTN"; the reply as Bands'

// The words, the first being the torvikctl command ("names"); the reply's code is one of
// bands' reply codes.
bands::BandsReply RunStationWords(SwitchController& controller,
                                  const std::vector<std::string>& words);

// Whether torvikctl carries this first word on the station channel.
bool IsStationWord(const std::string& word);

std::string StationUsage();

// Whether a "lock status" reply says the box is locked (torvikctl set's own exit code).
bool SaysLocked(std::string_view replyText);

}  // namespace torvik

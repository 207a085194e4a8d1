#pragma once
// torvikctl's names, lock and unlock, with the words after them: carried as words to the running
// program (a WM_COPYDATA on Windows, the bus method Station on Linux), answered with a code
// (torvikctl's exit code) and a text.

#include <string>
#include <string_view>
#include <vector>

#include "app/switch_controller.h"
#include "bands/bands_command.h"

namespace torvik {

// The words, the first being the torvikctl command ("names"); the reply's code is one of
// bands' reply codes.
bands::BandsReply RunStationWords(SwitchController& controller,
                                  const std::vector<std::string>& words);
// The same for the words as JoinWords made them; a request longer than bands' is refused.
bands::BandsReply RunStationRequest(SwitchController& controller, std::string_view request);

// Whether torvikctl carries this first word on the station channel.
bool IsStationWord(const std::string& word);

std::string StationUsage();

// Whether a "lock status" reply says the box is locked (torvikctl set's own exit code).
bool SaysLocked(std::string_view replyText);
// "lock status" while the transmitter keys and the box is not locked: "transmitting: mask 0, ...".
inline constexpr const char* kTransmitHeldWord = "transmitting";
bool SaysTransmitHeld(std::string_view replyText);

}  // namespace torvik

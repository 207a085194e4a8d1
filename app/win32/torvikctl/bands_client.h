#pragma once
// torvikctl bands: the words go to the running Torvik as one WM_COPYDATA; its reply text comes
// back to a message-only window of ours while we wait for the answer.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "bands/bands_command.h"

namespace torvik::ctl {

// The program's reply (code and text), or nothing when it did not answer (told on stderr).
std::optional<bands::BandsReply> SendWords(HWND torvik, const std::vector<std::string>& words,
                                           unsigned long tag);

// Prints the reply and answers torvikctl's exit code.
// tag: kBandsRequestTag for the words after "bands", kStationRequestTag for names and the like.
int RunBandsCommand(HWND torvik, const std::vector<std::string>& words,
                    unsigned long tag = 0x54424E44);

}  // namespace torvik::ctl

#pragma once
// The command line of torvikctl and the text it prints for each answer; no window system here.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/command.h"

namespace torvik::ctl {

// torvikctl's verbs are the program's own commands (app/command.h); Help stays with the client.
using torvik::Command;
using torvik::Verb;

// Exit codes of torvikctl.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitNotRunning = 2;
inline constexpr int kExitNoAnswer = 3;
// 4 and 5 are bands' and names' (no box, not stored).
inline constexpr int kExitLocked = 6;   // set refused: the box is storm-locked or keyed

// The arguments after the program name: the command, or in error one line that says what was
// wrong with them.
struct ParsedArguments {
    std::optional<Command> command;
    std::string error;
};
ParsedArguments ParseCommandLine(const std::vector<std::string>& arguments);

// What a client does with its arguments before it looks for the program: the command to send,
// or, when the arguments are answered here, the exit code (a usage error told on stderr with the
// short usage, or the help printed on stdout).
struct ClientStart {
    std::optional<Command> command;
    int exitCode = kExitOk;
};
ClientStart StartClient(const std::vector<std::string>& arguments);

// The arguments after the program name; nothing when they make no command.
std::optional<Command> ParseArguments(const std::vector<std::string>& arguments);

// The largest antenna mask: bits 0 to 3 (antennas 1 to 3 and the fourth output).
inline constexpr std::uint32_t kMaxMask = 0xF;

// A mask in decimal or 0x-hex (0X too), at most kMaxMask. Signs, spaces, empty digits and
// higher bits are refused: the program would drop the higher bits without a word.
std::optional<std::uint32_t> ParseMask(const std::string& text);

// The line printed for the program's answer to a command: "mask M count C" for get (mask in
// bits 16 to 19, count in bits 0 to 15), "mask M" for set, and for exit the program's hidden
// flag as it was: "-1 hidden flag set" or "1 hidden flag clear".
std::string FormatAnswer(Verb verb, std::intptr_t answer);

// What torvikctl set says on stderr when the box is locked, after the program's answer.
std::string LockedSetText(std::intptr_t answer);
// The same while the radio transmits and the box holds its protect mask.
std::string TransmitHeldSetText(std::intptr_t answer);

// The short usage printed after a usage error: one line.
std::string ShortUsage();
// The whole help: every command with an example, the answers and the exit codes.
std::string UsageText();

}  // namespace torvik::ctl

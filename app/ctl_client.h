#pragma once
// What torvikctl does once its command line made a command: find the running program, send the
// command through the platform's link, and turn the answer (or its absence) into the printed
// lines and the exit code. The link is the window messages on Windows, the session bus on Linux.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ctl_command.h"
#include "bands/bands_command.h"

namespace torvik::ctl {

// How long torvikctl waits for the program's answer.
inline constexpr int kAnswerTimeoutMs = 5000;

// The two kinds of word requests, each on a channel of its own: band following's rules (the
// words after "bands"), and the station's names and lock (the whole command).
enum class WordChannel { Bands, Station };

class ProgramLink {
public:
    virtual ~ProgramLink() = default;
    // Looks for the running program; false, with what was not found ("no Torvik main window
    // found"), when there is none.
    virtual bool Find(std::string& notFound) = 0;
    // The program's answer to command, or nothing, with why ("error 1460"), when none came
    // within timeoutMs.
    virtual std::optional<std::intptr_t> Send(const Command& command, int timeoutMs,
                                              std::string& why) = 0;
    // A request of words (as JoinWords made them): the reply's code as the program gave it and
    // its text, or nothing, with why, when no reply came.
    virtual std::optional<bands::BandsReply> SendWords(WordChannel channel,
                                                       const std::string& request, int timeoutMs,
                                                       std::string& why) = 0;
};

struct ClientOutcome {
    std::string out;   // for stdout
    std::string err;   // for stderr
    int exitCode = kExitOk;
};

// command as StartClient made it from arguments (the words after the program name, which a
// bands command carries on).
ClientOutcome RunCommand(const Command& command, const std::vector<std::string>& arguments,
                         ProgramLink& link);

// The whole client: StartClient, RunCommand, the outcome printed; answers the exit code.
int RunClient(const std::vector<std::string>& arguments, ProgramLink& link);

}  // namespace torvik::ctl

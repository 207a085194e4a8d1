#include "app/ctl_client.h"

#include <cstdio>

#include "app/station_command.h"

namespace torvik::ctl {
namespace {

ClientOutcome NoAnswer(const std::string& why) {
    return {"", "torvikctl: Torvik did not answer (" + why + ")\n", kExitNoAnswer};
}

ClientOutcome RunWords(WordChannel channel, const std::vector<std::string>& words,
                       ProgramLink& link) {
    const bool forBands = channel == WordChannel::Bands;
    const std::string request = bands::JoinWords(words);
    if (request.size() > bands::kMaxRequestBytes) {
        return {"", forBands ? "torvikctl: the bands command is too long\n"
                             : "torvikctl: the command is too long\n",
                kExitUsage};
    }
    std::string why;
    const std::optional<bands::BandsReply> reply =
        link.SendWords(channel, request, kAnswerTimeoutMs, why);
    if (!reply) return NoAnswer(why);
    // A code no reply has: a program from before these words.
    if (reply->code < 0 || reply->code > 0xFF) {
        return {"", forBands ? "torvikctl: this Torvik does not know band following\n"
                             : "torvikctl: this Torvik does not know names or the lock\n",
                kExitNoAnswer};
    }
    // The text goes to stdout when the request was done, else to stderr; the code is the exit
    // code.
    if (reply->code == bands::kReplyOk) return {reply->text, "", reply->code};
    return {"", reply->text, reply->code};
}

// The refusal of a set when the program says its box is held (locked, or keyed); a program
// without the lock never is.
std::optional<std::string> HeldText(ProgramLink& link, std::intptr_t answer) {
    std::string why;
    const std::optional<bands::BandsReply> status = link.SendWords(
        WordChannel::Station, bands::JoinWords({"lock", "status"}), kAnswerTimeoutMs, why);
    if (!status || status->code != bands::kReplyOk) return std::nullopt;
    if (SaysLocked(status->text)) return LockedSetText(answer);
    if (SaysTransmitHeld(status->text)) return TransmitHeldSetText(answer);
    return std::nullopt;
}

}  // namespace

ClientOutcome RunCommand(const Command& command, const std::vector<std::string>& arguments,
                         ProgramLink& link) {
    std::string notFound;
    if (!link.Find(notFound)) {
        return {"", "torvikctl: Torvik is not running (" + notFound + ")\n", kExitNotRunning};
    }
    if (command.verb == Verb::Bands) {
        const std::vector<std::string> words =
            arguments.empty() ? arguments
                              : std::vector<std::string>(arguments.begin() + 1, arguments.end());
        return RunWords(WordChannel::Bands, words, link);
    }
    if (command.verb == Verb::Station) return RunWords(WordChannel::Station, arguments, link);
    std::string why;
    const std::optional<std::intptr_t> answer = link.Send(command, kAnswerTimeoutMs, why);
    if (!answer) return NoAnswer(why);
    if (command.verb == Verb::Set) {
        // The answer to a refused set reads as any other; the lock's status says which it was.
        if (std::optional<std::string> held = HeldText(link, *answer)) {
            return {"", std::move(*held), kExitLocked};
        }
    }
    return {FormatAnswer(command.verb, *answer) + "\n", "", kExitOk};
}

int RunClient(const std::vector<std::string>& arguments, ProgramLink& link) {
    const ClientStart start = StartClient(arguments);
    if (!start.command) return start.exitCode;
    const ClientOutcome outcome = RunCommand(*start.command, arguments, link);
    std::fputs(outcome.out.c_str(), stdout);
    std::fputs(outcome.err.c_str(), stderr);
    return outcome.exitCode;
}

}  // namespace torvik::ctl

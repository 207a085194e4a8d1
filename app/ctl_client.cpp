#include "app/ctl_client.h"

#include <cstdio>

namespace torvik::ctl {
namespace {

ClientOutcome NoAnswer(const std::string& why) {
    return {"", "torvikctl: Torvik did not answer (" + why + ")\n", kExitNoAnswer};
}

ClientOutcome RunBands(const std::vector<std::string>& words, ProgramLink& link) {
    const std::string request = bands::JoinWords(words);
    if (request.size() > bands::kMaxRequestBytes) {
        return {"", "torvikctl: the bands command is too long\n", kExitUsage};
    }
    std::string why;
    const std::optional<bands::BandsReply> reply = link.SendBands(request, kAnswerTimeoutMs, why);
    if (!reply) return NoAnswer(why);
    // A code no reply of band following has: a program from before band following.
    if (reply->code < 0 || reply->code > 0xFF) {
        return {"", "torvikctl: this Torvik does not know band following\n", kExitNoAnswer};
    }
    // The text goes to stdout when the request was done, else to stderr; the code is the exit
    // code.
    if (reply->code == bands::kReplyOk) return {reply->text, "", reply->code};
    return {"", reply->text, reply->code};
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
        return RunBands(words, link);
    }
    std::string why;
    const std::optional<std::intptr_t> answer = link.Send(command, kAnswerTimeoutMs, why);
    if (!answer) return NoAnswer(why);
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

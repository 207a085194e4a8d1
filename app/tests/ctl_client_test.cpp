// torvikctl after its command line: what it prints and exits with for each way the running
// program answers, or does not.
#include "app/ctl_client.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace torvik::ctl {
namespace {

// A link that answers as told and records what was sent.
class ScriptedLink final : public ProgramLink {
public:
    bool running = true;
    std::optional<std::intptr_t> answer;
    std::optional<bands::BandsReply> bandsReply;
    std::optional<bands::BandsReply> stationReply;
    std::vector<std::string> sent;
    std::vector<int> timeouts;

    bool Find(std::string& notFound) override {
        if (!running) notFound = "nothing found here";
        return running;
    }
    std::optional<std::intptr_t> Send(const Command& command, int timeoutMs,
                                      std::string& why) override {
        sent.push_back("verb " + std::to_string(static_cast<int>(command.verb)));
        timeouts.push_back(timeoutMs);
        if (!answer) why = "error 1460";
        return answer;
    }
    std::optional<bands::BandsReply> SendWords(WordChannel channel, const std::string& request,
                                               int timeoutMs, std::string& why) override {
        const bool forBands = channel == WordChannel::Bands;
        sent.push_back((forBands ? "bands " : "station ") + request);
        timeouts.push_back(timeoutMs);
        const std::optional<bands::BandsReply>& reply = forBands ? bandsReply : stationReply;
        if (!reply) why = "no reply";
        return reply;
    }
};

ClientOutcome Send(ScriptedLink& link, std::vector<std::string> arguments) {
    const ClientStart start = StartClient(arguments);
    EXPECT_TRUE(start.command.has_value());
    return RunCommand(*start.command, arguments, link);
}

TEST(CtlClient, AnswersArePrintedOnStdoutAndTheirAbsenceExplainedOnStderr) {
    ScriptedLink link;
    link.answer = (5 << 16) | 3;
    ClientOutcome outcome = Send(link, {"get"});
    EXPECT_EQ(outcome.out, "mask 5 count 3\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.exitCode, kExitOk);
    EXPECT_EQ(link.timeouts, (std::vector<int>{5000}));

    link.answer.reset();
    outcome = Send(link, {"set", "2"});
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "torvikctl: Torvik did not answer (error 1460)\n");
    EXPECT_EQ(outcome.exitCode, kExitNoAnswer);

    link.running = false;
    link.sent.clear();
    outcome = Send(link, {"reload"});
    EXPECT_EQ(outcome.err, "torvikctl: Torvik is not running (nothing found here)\n");
    EXPECT_EQ(outcome.exitCode, kExitNotRunning);
    EXPECT_TRUE(link.sent.empty());
}

TEST(CtlClient, BandsRepliesGoWhereTheirCodeSaysAndOverlongRequestsStayHome) {
    ScriptedLink link;
    link.bandsReply = bands::BandsReply{bands::kReplyOk, "following on\n"};
    ClientOutcome outcome = Send(link, {"bands", "on"});
    EXPECT_EQ(link.sent, (std::vector<std::string>{"bands " + bands::JoinWords({"on"})}));
    EXPECT_EQ(link.timeouts, (std::vector<int>{5000}));
    EXPECT_EQ(outcome.out, "following on\n");
    EXPECT_EQ(outcome.exitCode, kExitOk);

    link.bandsReply = bands::BandsReply{bands::kReplyNoBox, "no box connected\n"};
    outcome = Send(link, {"bands", "list"});
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "no box connected\n");
    EXPECT_EQ(outcome.exitCode, bands::kReplyNoBox);

    // A program from before band following answers with a number outside every code.
    for (int code : {-1, 0x100}) {
        link.bandsReply = bands::BandsReply{code, ""};
        outcome = Send(link, {"bands", "list"});
        EXPECT_EQ(outcome.err, "torvikctl: this Torvik does not know band following\n");
        EXPECT_EQ(outcome.exitCode, kExitNoAnswer);
    }
    link.bandsReply.reset();
    outcome = Send(link, {"bands", "list"});
    EXPECT_EQ(outcome.err, "torvikctl: Torvik did not answer (no reply)\n");

    link.sent.clear();
    outcome = Send(link, {"bands", "source", std::string(bands::kMaxRequestBytes, '1')});
    EXPECT_EQ(outcome.err, "torvikctl: the bands command is too long\n");
    EXPECT_EQ(outcome.exitCode, kExitUsage);
    EXPECT_TRUE(link.sent.empty());
}

// names, lock and unlock travel whole on the station channel; a set the program answered is
// looked at once more, since a locked box answers it as any other.
TEST(CtlClient, StationWordsHaveTheirChannelAndALockedSetItsOwnExitCode) {
    ScriptedLink link;
    link.stationReply = bands::BandsReply{bands::kReplyUsage, "name refused: too long\n"};
    ClientOutcome outcome = Send(link, {"names", "set", "1", "Beverage NE"});
    EXPECT_EQ(link.sent,
              (std::vector<std::string>{"station " +
                                        bands::JoinWords({"names", "set", "1", "Beverage NE"})}));
    EXPECT_EQ(outcome.err, "name refused: too long\n");
    EXPECT_EQ(outcome.exitCode, bands::kReplyUsage);

    link.answer = 4;   // the mask the program keeps
    link.stationReply = bands::BandsReply{bands::kReplyOk, "locked: mask 0, protect mask 0\n"};
    link.sent.clear();
    outcome = Send(link, {"set", "1"});
    EXPECT_EQ(link.sent, (std::vector<std::string>{
                             "verb " + std::to_string(static_cast<int>(Verb::Set)),
                             "station " + bands::JoinWords({"lock", "status"})}));
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, LockedSetText(link.answer.value()));
    EXPECT_EQ(outcome.exitCode, kExitLocked);

    // Unlocked, or a program from before the lock: the set's answer as always.
    for (const std::optional<bands::BandsReply>& status :
         {std::optional<bands::BandsReply>(bands::BandsReply{0, "unlocked: mask 1\n"}),
          std::optional<bands::BandsReply>()}) {
        link.stationReply = status;
        outcome = Send(link, {"set", "1"});
        EXPECT_EQ(outcome.out, "mask 4\n");
        EXPECT_EQ(outcome.exitCode, kExitOk);
    }
    link.stationReply = bands::BandsReply{0x100, ""};
    outcome = Send(link, {"unlock"});
    EXPECT_EQ(outcome.err, "torvikctl: this Torvik does not know names or the lock\n");
}

}  // namespace
}  // namespace torvik::ctl

#include "bands/rig_link.h"

#include <gtest/gtest.h>

#include "bands/tests/rig_fakes.h"

namespace torvik::bands {
namespace {

using testing::FakeSocket;
using State = RigLink::State;
using Trouble = RigLink::Trouble;

class RigLinkTest : public ::testing::Test {
protected:
    Millis now = 1000;
    FakeSocket socket;
    std::vector<std::uint64_t> heard;
    RigLink link{socket, [this](std::uint64_t hz) { heard.push_back(hz); }};

    void SetUp() override { socket.clock = &now; }
    // Advances the clock to the link's next due time (at most limit) and ticks.
    void RunUntil(Millis limit) {
        while (link.NextDue() && *link.NextDue() <= limit) {
            now = std::max(now, *link.NextDue());
            link.Tick(now);
        }
        now = limit;
    }
    int Questions() const {
        return static_cast<int>(std::count(socket.sent.begin(), socket.sent.end(), '\n'));
    }
};

TEST_F(RigLinkTest, AsksTenTimesASecondOneQuestionAtATime) {
    link.Start(SourceAddress{}, now);
    EXPECT_EQ(link.state(), State::kConnecting);
    EXPECT_EQ(socket.sent, "");
    link.OnConnected(now);
    EXPECT_EQ(socket.sent, "f\n");

    // No answer yet: no second question, however often the timer fires before the time-out.
    RunUntil(now + 1500);
    EXPECT_EQ(Questions(), 1);

    link.OnData("7100000\n", now);
    EXPECT_EQ(heard, std::vector<std::uint64_t>{7100000});
    // The answer came late, so the next question goes at once; then every 100 ms.
    link.Tick(now);
    EXPECT_EQ(Questions(), 2);
    for (int i = 0; i < 8; ++i) {
        link.OnData("7100000\n", now + 10);
        RunUntil(now + 100);
    }
    EXPECT_EQ(Questions(), 10);
    EXPECT_EQ(heard.size(), 9u);
    EXPECT_EQ(link.trouble(), Trouble::kNone);
}

TEST_F(RigLinkTest, ASilentSourceTimesOutAndThePauseGrowsToThirtySeconds) {
    link.Start(SourceAddress{}, now);
    link.OnConnected(now);       // accepts, never answers
    const Millis start = now;
    RunUntil(start + 2000);
    EXPECT_EQ(link.state(), State::kPaused);
    EXPECT_EQ(link.trouble(), Trouble::kSilent);
    EXPECT_FALSE(socket.open);

    // From now on nothing connects: each try fails at once.
    socket.refuseOpen = true;
    RunUntil(start + 200000);
    ASSERT_GE(socket.openTimes.size(), 8u);
    std::vector<Millis> pauses;
    for (std::size_t i = 1; i < socket.openTimes.size(); ++i) {
        pauses.push_back(socket.openTimes[i] - socket.openTimes[i - 1]);
    }
    EXPECT_EQ(std::vector<Millis>(pauses.begin(), pauses.begin() + 7),
              (std::vector<Millis>{3000 /* 2 s time-out + 1 s */, 2000, 4000, 8000, 16000,
                                   30000, 30000}));
    EXPECT_EQ(link.trouble(), Trouble::kUnreachable);

    // The source comes back: one good answer and the pause starts small again.
    socket.refuseOpen = false;
    RunUntil(*link.NextDue());
    link.OnConnected(now);
    link.OnData("3600000\n", now);
    EXPECT_EQ(heard.back(), 3600000u);
    EXPECT_EQ(link.currentPause(), 1000);
}

TEST_F(RigLinkTest, ConnectTimeoutLostConnectionAndFloodsCloseAndRetry) {
    link.Start(SourceAddress{}, now);
    RunUntil(now + 3000);                      // the connection never completes
    EXPECT_EQ(link.trouble(), Trouble::kUnreachable);
    EXPECT_EQ(socket.closes, 1);

    RunUntil(*link.NextDue());
    link.OnConnected(now);
    link.OnClosed(now);                        // the server goes away
    EXPECT_EQ(link.state(), State::kPaused);
    EXPECT_EQ(socket.closes, 2);

    RunUntil(*link.NextDue());
    link.OnConnected(now);
    link.OnData(std::string(5000, '7'), now);  // more than any answer can be
    EXPECT_EQ(link.trouble(), Trouble::kFlood);
    EXPECT_FALSE(socket.open);
    EXPECT_TRUE(heard.empty());

    // Events for a connection that is gone change nothing.
    link.OnData("7100000\n", now);
    link.OnConnected(now);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(link.state(), State::kPaused);
}

TEST_F(RigLinkTest, RigErrorsAndUnreadableAnswersKeepPollingAndExtraLinesAreDropped) {
    link.Start(SourceAddress{}, now);
    link.OnConnected(now);
    link.OnData("RPRT -11\n", now);
    EXPECT_EQ(link.trouble(), Trouble::kRigError);
    EXPECT_EQ(link.rigErrorCode(), -11);
    RunUntil(now + 100);
    link.OnData("7.1e6\n", now);
    EXPECT_EQ(link.trouble(), Trouble::kUnreadable);
    EXPECT_TRUE(socket.open);
    RunUntil(now + 100);
    // One question, three lines: only the first is its answer.
    link.OnData("7100000\n14000000\n21000000\n", now);
    EXPECT_EQ(heard, std::vector<std::uint64_t>{7100000});
    EXPECT_EQ(link.trouble(), Trouble::kNone);
    link.Stop();
    EXPECT_FALSE(socket.open);
    EXPECT_FALSE(link.NextDue());
}

}  // namespace
}  // namespace torvik::bands

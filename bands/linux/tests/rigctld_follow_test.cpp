// Band following on the Linux side against a real rigctld: the POSIX socket, the link, the
// follower and the switch controller over a simulated box, driven by the socket's own poll loop.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "app/tests/controller_fixture.h"
#include "app/band_session.h"
#include "bands/linux/posix_rig_socket.h"
#include "bands/linux/tests/rigctld_process.h"

namespace torvik::bands {
namespace {

class RigctldFollowTest : public torvik::testing::ControllerTest {
protected:
    PosixRigSocket socket;
    BandFollower follower{socket, [this](std::uint32_t mask) { ApplyRuleMask(controller, mask); }};
    testing::RigctldProcess rig;

    void SetUp() override {
        StartWithBox();
        // A missing tool fails, as in the end-to-end suites: scripts/install-deps installs it,
        // and a skip would pass a machine on which band following was never tried.
        ASSERT_TRUE(rig.Start()) << "rigctld (Debian's libhamlib-utils) did not start";
    }

    // Runs the loop until done holds, at most limit; answers done().
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done() && std::chrono::steady_clock::now() < end) {
            socket.PollOnce(follower.link(), 50);
        }
        return done();
    }
    bool ByteIs(std::uint8_t byte) {
        return box.LastOutput(torvik::testing::kBoxLocation) == byte;
    }
};

TEST_F(RigctldFollowTest, FollowsTuningHoldsStillWhileTheRigIsGoneAndResumes) {
    const BandPlan plan{true, "127.0.0.1:" + std::to_string(rig.port),
                        {{1800000, 2000000, 1}, {3500000, 30000000, 2}, {30000001, 999999999, 4}}};
    ASSERT_TRUE(ByteIs(0x0A)) << "antenna 1 at the start";
    follower.Configure(plan, MonotonicMillis());
    using std::chrono::seconds;
    ASSERT_TRUE(RunUntil([&] { return ByteIs(0x09); }, seconds(5))) << "145 MHz: antenna 3";

    ASSERT_TRUE(rig.Tune(7100000));
    ASSERT_TRUE(RunUntil([&] { return ByteIs(0x0C); }, seconds(5))) << follower.StatusText();
    EXPECT_EQ(follower.StatusText(), "following 7.100 MHz");
    EXPECT_EQ(StoredInt(torvik::testing::kBoxSection, "ANTENNA-2"), 1);

    const std::uint16_t port = rig.port;
    rig.Stop();
    box.ClearCalls();
    ASSERT_TRUE(RunUntil([&] { return follower.StatusText().starts_with("rig not reachable"); },
                         seconds(5)));
    EXPECT_EQ(follower.StatusText(), "rig not reachable at 127.0.0.1:" + std::to_string(port));
    EXPECT_TRUE(box.Calls().empty()) << "nothing written while the rig is gone";

    ASSERT_TRUE(rig.Start(port));
    ASSERT_TRUE(rig.Tune(1900000));
    ASSERT_TRUE(RunUntil([&] { return ByteIs(0x0A); }, seconds(20))) << follower.StatusText();
    EXPECT_EQ(follower.StatusText(), "following 1.900 MHz");
}

}  // namespace
}  // namespace torvik::bands

// Band following from a pushed source: the listener's datagrams through the follower to the
// rule masks, and what the status says about silence, strangers and no radio.
#include "bands/push_listener.h"

#include <gtest/gtest.h>

#include "bands/band_follower.h"
#include "bands/tests/rig_fakes.h"
#include "bands/tests/source_datagrams.h"

namespace torvik::bands {
namespace {

using testing::RadioInfoDatagram;
using testing::RadioInfoFields;

constexpr std::uint8_t kLocal[4] = {127, 0, 0, 1};
constexpr std::uint8_t kStranger[4] = {192, 168, 1, 66};

class PushedFollowTest : public ::testing::Test {
protected:
    Millis now = 5000;
    testing::FakeSocket rigSocket;
    testing::FakeDatagramSocket udp;
    std::vector<std::uint32_t> applied;
    BandFollower follower{rigSocket, udp, [this](std::uint32_t mask) { applied.push_back(mask); }};

    void Follow(const std::string& source) {
        follower.Configure({true, source, {{3500000, 3800000, 1}, {7000000, 7300000, 2},
                                           {14000000, 14350000, 4}}},
                           now);
    }
    void Hear(const std::string& datagram, const std::uint8_t (&from)[4] = kLocal) {
        follower.listener().OnDatagram(datagram, from, now);
    }
    void Wait(Millis span) {
        const Millis end = now + span;
        while (follower.NextDue() && *follower.NextDue() <= end) {
            now = std::max(now, *follower.NextDue());
            follower.Tick(now);
        }
        now = end;
    }
};

TEST_F(PushedFollowTest, FollowsTheConfiguredRadioOfALoggerAndIgnoresTheOther) {
    Follow("radioinfo:12061:2");
    EXPECT_TRUE(udp.listening);
    EXPECT_EQ(udp.boundTo.Text(), "127.0.0.1:12061");
    EXPECT_EQ(rigSocket.opens, 0);
    EXPECT_EQ(follower.StatusText(), "waiting for logger on 127.0.0.1:12061");

    Hear(RadioInfoDatagram(testing::Radio(1, 1407400, 1407400, false, "IC-7300")));
    Hear(RadioInfoDatagram(testing::Radio(2, 709000, 709000, false, "FT-991")));
    Hear(RadioInfoDatagram(testing::Radio(1, 355000, 355000, false, "IC-7300")));
    EXPECT_EQ(applied, std::vector<std::uint32_t>{2});
    EXPECT_EQ(follower.StatusText(), "following 7.090 MHz");

    // Split inside the band: the receive frequency decides.
    Hear(RadioInfoDatagram(testing::Radio(2, 1420000, 710000, false, "FT-991")));
    EXPECT_EQ(applied, (std::vector<std::uint32_t>{2, 4}));

    // The logger loses the radio: nothing changes, the status says why.
    Hear(RadioInfoDatagram(testing::Radio(2, 1420000, 1420000, false, "Manual")));
    Hear(RadioInfoDatagram(testing::Radio(2, 0, 0, false, "FT-991")));
    EXPECT_EQ(applied.size(), 2u);
    EXPECT_EQ(follower.StatusText(), "logger reports no radio 2 on 127.0.0.1:12061");
}

TEST_F(PushedFollowTest, WsjtxStatusFollowsHeartbeatsKeepItAliveAndSilenceOnlyShows) {
    Follow("wsjtx");
    EXPECT_EQ(udp.boundTo.Text(), "127.0.0.1:2237");
    Hear(testing::WsjtxStatus(7074000, false, 3));
    EXPECT_EQ(applied, std::vector<std::uint32_t>{2});

    for (int i = 0; i < 4; ++i) {
        Wait(15000);
        Hear(testing::WsjtxHeartbeat());
    }
    EXPECT_EQ(follower.StatusText(), "following 7.074 MHz");
    Wait(29999);
    EXPECT_EQ(follower.StatusText(), "following 7.074 MHz");
    Wait(1);
    EXPECT_EQ(follower.StatusText(), "source silent: nothing from WSJT-X on 127.0.0.1:2237");
    EXPECT_EQ(applied.size(), 1u);
    EXPECT_TRUE(udp.listening);

    Hear(testing::WsjtxStatus(14074000, false, 2));
    EXPECT_EQ(applied, (std::vector<std::uint32_t>{2, 4}));
    EXPECT_EQ(follower.StatusText(), "following 14.074 MHz");
}

TEST_F(PushedFollowTest, GarbageStrangersAndAFloodChangeNothingNorKeepTheSourceAlive) {
    Follow("wsjtx");
    Hear(testing::WsjtxStatus(7074000, false));
    ASSERT_EQ(applied.size(), 1u);
    Hear(testing::WsjtxStatus(14074000, false), kStranger);
    Hear(RadioInfoDatagram({}));
    std::string noise;
    for (int i = 0; i < 20000; ++i) {
        noise.assign(static_cast<std::size_t>(i % 700), static_cast<char>(i * 7));
        if (i % 3 == 0) noise = testing::WsjtxStatus(14074000, false).substr(0, i % 60);
        Hear(noise);
        if (i % 1000 == 0) Wait(1500);
    }
    EXPECT_EQ(applied.size(), 1u);
    EXPECT_EQ(follower.listener().refused(), 20002u);
    EXPECT_EQ(follower.StatusText(), "source silent: nothing from WSJT-X on 127.0.0.1:2237");
}

TEST_F(PushedFollowTest, APortInUseIsRetriedAndSwitchingToAPolledSourceClosesIt) {
    udp.refuseListen = true;
    Follow("radioinfo");
    EXPECT_EQ(follower.StatusText(),
              "cannot listen for logger on 127.0.0.1:12060 (port in use?)");
    udp.refuseListen = false;
    Wait(5000);
    EXPECT_TRUE(udp.listening);
    EXPECT_EQ(udp.listens, 2);
    EXPECT_EQ(follower.StatusText(), "waiting for logger on 127.0.0.1:12060");

    Follow("flrig:127.0.0.1:12345");
    EXPECT_FALSE(udp.listening);
    EXPECT_EQ(rigSocket.opens, 1);
    EXPECT_EQ(follower.StatusText(), "connecting to flrig at 127.0.0.1:12345");
    follower.Disable();
    EXPECT_FALSE(rigSocket.open);
    EXPECT_EQ(follower.StatusText(), "");
}

}  // namespace
}  // namespace torvik::bands

namespace torvik::bands {
namespace {

// The transmit state a logger or WSJT-X pushes: the followed radio's IsTransmitting and the
// Status's Transmitting protect; receive releases only after the hang time without a new key.
TEST_F(PushedFollowTest, PushedTransmitReportsProtectAndReleaseAfterTheHang) {
    std::vector<bool> protects;
    follower.OnProtect([&](bool on) { protects.push_back(on); });
    BandPlan plan{true, "radioinfo:12061:2", {{7000000, 7300000, 2}}};
    plan.protect = true;
    follower.Configure(plan, now);
    Hear(RadioInfoDatagram(testing::Radio(1, 709000, 709000, true, "IC-7300")));   // not ours
    EXPECT_TRUE(protects.empty());
    Hear(RadioInfoDatagram(testing::Radio(2, 709000, 709000, true, "FT-991")));
    EXPECT_EQ(protects, std::vector<bool>{true});
    EXPECT_EQ(follower.StatusText(), "transmitting \xE2\x80\x94 antennas off");
    Hear(RadioInfoDatagram(testing::Radio(2, 709000, 709000, false, "FT-991")));
    Wait(299);
    EXPECT_EQ(protects, std::vector<bool>{true});
    Wait(1);
    EXPECT_EQ(protects, (std::vector<bool>{true, false}));

    plan.source = "wsjtx";
    follower.Configure(plan, now);
    Hear(testing::WsjtxStatus(14074000, true));
    EXPECT_EQ(protects, (std::vector<bool>{true, false, true}));
    Hear(testing::WsjtxHeartbeat());   // says nothing about the transmitter
    Hear(testing::WsjtxStatus(14074000, false));
    Wait(100);
    Hear(testing::WsjtxStatus(14074000, true));   // keyed again within the hang
    Hear(testing::WsjtxStatus(14074000, false));
    Wait(299);
    EXPECT_EQ(protects, (std::vector<bool>{true, false, true}));
    Wait(1);
    EXPECT_EQ(protects, (std::vector<bool>{true, false, true, false}));
}

}  // namespace
}  // namespace torvik::bands

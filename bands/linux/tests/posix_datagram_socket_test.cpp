// The Linux edition's UDP socket for the pushed sources, on real loopback sockets: what it hands
// the listener, how much it reads per wake, and a port shared with another program.
#include "bands/linux/posix_datagram_socket.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <random>

#include "bands/tests/source_datagrams.h"
#include "tests/source_sender/source_client.h"

namespace torvik::bands {
namespace {

class PosixDatagramSocketTest : public ::testing::Test {
protected:
    PosixDatagramSocket socket;
    std::vector<std::uint64_t> heard;
    PushListener listener{socket, [this](std::uint64_t hz) { heard.push_back(hz); }};
    std::uint16_t port = 0;

    void SetUp() override {
        std::mt19937 random(std::random_device{}());
        for (int attempt = 0; attempt < 10 && listener.state() != PushListener::State::kListening;
             ++attempt) {
            port = static_cast<std::uint16_t>(20000 + random() % 30000);
            listener.Start(*ParseSource("wsjtx:" + std::to_string(port)).value, 0);
        }
        ASSERT_EQ(listener.state(), PushListener::State::kListening);
    }
    bool Readable() {
        pollfd entry{socket.Descriptor(), POLLIN, 0};
        return poll(&entry, 1, 2000) == 1;
    }
};

TEST_F(PosixDatagramSocketTest, HandsOnWhatArrivesAtMostSixtyFourPerWakeOnASharedPort) {
    // Another program may listen on the same port with address reuse; a unicast datagram
    // reaches the one bound last only, which is why the manual asks for a port of our own.
    PosixDatagramSocket other;
    EXPECT_TRUE(other.Listen(listener.source().address));
    other.Close();

    std::vector<std::string> flood(100, "garbage");
    flood.push_back(testing::WsjtxStatus(7074000, false));
    ASSERT_TRUE(testing::SendDatagrams(port, flood));
    int wakes = 0;
    while (heard.empty() && wakes < 5 && Readable()) {
        socket.OnReadable(listener, 1);
        ++wakes;
        EXPECT_LE(listener.refused(), static_cast<std::uint64_t>(64 * wakes));
    }
    EXPECT_EQ(heard, std::vector<std::uint64_t>{7074000});
    EXPECT_EQ(wakes, 2);
    EXPECT_EQ(listener.refused(), 100u);

    listener.Stop();
    EXPECT_EQ(socket.Descriptor(), -1);
}

}  // namespace
}  // namespace torvik::bands

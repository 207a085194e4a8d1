// flrig's XML-RPC as RigLink reads it: the HTTP reply in any pieces, the value's types, faults
// and replies that break the stream.
#include "bands/flrig_protocol.h"

#include <gtest/gtest.h>

#include "bands/tests/rig_fakes.h"

namespace torvik::bands {
namespace {

std::string Reply(std::string_view body, std::string_view status = "200 OK") {
    return "HTTP/1.1 " + std::string(status) +
           "\r\nServer: XMLRPC++ 0.8\r\nContent-Type: text/xml\r\nContent-length: " +
           std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

std::string ValueBody(std::string_view value) {
    return "<?xml version=\"1.0\"?>\r\n<methodResponse><params><param>\r\n\t<value>" +
           std::string(value) + "</value>\r\n</param></params></methodResponse>\r\n";
}

TEST(FlrigProtocolTest, AsksWithOnePostAndReadsTheFrequencyInAnyTypeAndAnyPieces) {
    const SourceAddress address{{127, 0, 0, 1}, 12345};
    FlrigProtocol protocol(address);
    const std::string question = protocol.Question(PollProtocol::Query::kFrequency);
    EXPECT_TRUE(question.starts_with("POST /RPC2 HTTP/1.1\r\nHost: 127.0.0.1:12345\r\n"));
    const std::size_t body = question.find("\r\n\r\n") + 4;
    EXPECT_NE(question.find("Content-Length: " + std::to_string(question.size() - body)),
              std::string::npos);
    EXPECT_NE(question.find("<methodName>rig.get_vfo</methodName>", body), std::string::npos);

    const std::string replies = Reply(ValueBody("14070000")) +
                                Reply(ValueBody("<string>7074000</string>")) +
                                Reply(ValueBody("<i4>3573000</i4>")) +
                                Reply(ValueBody("<double>1840000.000000</double>"));
    for (std::size_t piece : {replies.size(), std::size_t{1}, std::size_t{7}}) {
        protocol.Reset();
        std::vector<RigAnswer> answers;
        for (std::size_t at = 0; at < replies.size(); at += piece) {
            protocol.Feed(std::string_view(replies).substr(at, piece), answers);
        }
        ASSERT_EQ(answers.size(), 4u) << piece;
        EXPECT_EQ(answers[0].hz, 14070000u);
        EXPECT_EQ(answers[1].hz, 7074000u);
        EXPECT_EQ(answers[2].hz, 3573000u);
        EXPECT_EQ(answers[3].hz, 1840000u);
        EXPECT_FALSE(protocol.Lost());
    }
}

TEST(FlrigProtocolTest, AFaultIsAnErrorAndANonsenseValueUnreadableWithTheStreamKept) {
    const std::string fault =
        "<?xml version=\"1.0\"?><methodResponse><fault><value><struct><member><name>faultCode"
        "</name><value><i4>-1</i4></value></member></struct></value></fault></methodResponse>";
    EXPECT_EQ(ReadFlrigFrequency(fault).kind, RigAnswer::Kind::kError);
    for (const std::string& body :
         {ValueBody("-14070000"), ValueBody("14070000.5"), ValueBody("1e7"),
          ValueBody("<boolean>1</boolean>"), ValueBody("9999999999999999999999"),
          std::string("<methodResponse><params><param><value>14070000"), std::string("14070000"),
          "<methodResponse>" + std::string(70000, ' ') + "</methodResponse>"}) {
        EXPECT_EQ(ReadFlrigFrequency(body).kind, RigAnswer::Kind::kUnreadable) << body.substr(0, 80);
    }
    FlrigProtocol protocol(SourceAddress{});
    std::vector<RigAnswer> answers;
    protocol.Feed(Reply(ValueBody("14070000"), "500 Internal Server Error"), answers);
    protocol.Feed(Reply(ValueBody("14070000")), answers);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].kind, RigAnswer::Kind::kUnreadable);
    EXPECT_EQ(answers[1].hz, 14070000u);
    EXPECT_FALSE(protocol.Lost());
}

TEST(FlrigProtocolTest, ARepliesThatBreakTheStreamLoseTheConnection) {
    const std::string broken[] = {
        "SSH-2.0-OpenSSH\r\n\r\n",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
        "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n\r\n",
        "HTTP/1.1 200 OK\r\nContent-Length: 10\r\nContent-Length: 12\r\n\r\n",
        "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n",
        "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n",
        "HTTP/1.1 200 OK\r\nContent-Length: 70000\r\n\r\n",
        "HTTP/1.1 200 OK\r\nX: " + std::string(9000, 'a'),
        "HTTP/1.1 2000 OK\r\nContent-Length: 1\r\n\r\n",
    };
    for (const std::string& reply : broken) {
        FlrigProtocol protocol(SourceAddress{});
        std::vector<RigAnswer> answers;
        protocol.Feed(reply, answers);
        EXPECT_TRUE(protocol.Lost()) << reply.substr(0, 60);
        ASSERT_EQ(answers.size(), 1u) << reply.substr(0, 60);
        EXPECT_EQ(answers[0].kind, RigAnswer::Kind::kUnreadable);
    }
}

TEST(FlrigProtocolTest, TheLinkPollsFlrigTenTimesASecondAndReconnectsAfterABrokenReply) {
    Millis now = 1000;
    testing::FakeSocket socket;
    std::vector<std::uint64_t> heard;
    RigLink link(socket, [&](std::uint64_t hz) { heard.push_back(hz); });
    link.Start(*ParseSource("flrig").value, now);
    link.OnConnected(now);
    EXPECT_EQ(socket.sent, FlrigProtocol(SourceAddress{{127, 0, 0, 1}, 12345})
                               .Question(PollProtocol::Query::kFrequency));
    link.OnData(Reply(ValueBody("14070000")), now + 2);
    EXPECT_EQ(heard, std::vector<std::uint64_t>{14070000});
    EXPECT_EQ(*link.NextDue(), now + 100);

    link.Tick(now + 100);
    link.OnData("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", now + 101);
    EXPECT_EQ(link.state(), RigLink::State::kPaused);
    EXPECT_EQ(link.trouble(), RigLink::Trouble::kUnreadable);
    EXPECT_FALSE(socket.open);
    EXPECT_EQ(heard.size(), 1u);
}

// With the transmit state wanted, each round calls rig.get_ptt, then rig.get_vfo; the ptt
// answer is 0 or 1 of any integer type, anything else or a fault tells nothing.
TEST(FlrigProtocolTest, EachRoundAsksThePttFirstAndReadsItsAnswer) {
    EXPECT_EQ(ReadFlrigPtt(ValueBody("<i4>1</i4>")).keyed, true);
    EXPECT_EQ(ReadFlrigPtt(ValueBody("<int>0</int>")).kind, RigAnswer::Kind::kTransmitState);
    EXPECT_EQ(ReadFlrigPtt(ValueBody("<int>0</int>")).keyed, false);
    EXPECT_EQ(ReadFlrigPtt(ValueBody("7074000")).kind, RigAnswer::Kind::kUnreadable);
    EXPECT_EQ(ReadFlrigPtt("<methodResponse><fault><value>x</value></fault></methodResponse>").kind,
              RigAnswer::Kind::kError);

    Millis now = 1000;
    testing::FakeSocket socket;
    std::vector<std::uint64_t> heard;
    std::vector<TransmitReport> reports;
    RigLink link(socket, [&](std::uint64_t hz) { heard.push_back(hz); });
    link.AskTransmit(true);
    link.OnTransmit([&](TransmitReport report, Millis) { reports.push_back(report); });
    link.Start(*ParseSource("flrig").value, now);
    link.OnConnected(now);
    EXPECT_NE(socket.sent.find("<methodName>rig.get_ptt</methodName>"), std::string::npos);
    socket.sent.clear();
    link.OnData(Reply(ValueBody("<i4>1</i4>")), now + 2);
    EXPECT_NE(socket.sent.find("<methodName>rig.get_vfo</methodName>"), std::string::npos);
    link.OnData(Reply(ValueBody("14070000")), now + 4);
    EXPECT_EQ(heard, std::vector<std::uint64_t>{14070000});
    EXPECT_EQ(reports, std::vector<TransmitReport>{TransmitReport::kTransmit});
    EXPECT_EQ(*link.NextDue(), now + 100);   // one round of two questions per poll
}

}  // namespace
}  // namespace torvik::bands

// The MQTT session against a recording link and the real controller over a simulated box:
// when it connects, what it publishes, what a set request does, and its status.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/tests/controller_fixture.h"
#include "mqtt/mqtt_session.h"

namespace torvik::mqtt {
namespace {

// Records every call as the link would carry it out; events are handed over as a link's
// thread would queue them.
class RecordingLink final : public MqttLink {
public:
    std::vector<std::pair<ConnectOptions, std::uint32_t>> connects;
    std::vector<Message> published;
    std::vector<std::string> subscribed;
    int disconnects = 0;
    std::vector<LinkEvent> pending;
    std::uint64_t dropped = 0;

    void Connect(const ConnectOptions& options, std::uint32_t pauseMs) override {
        connects.emplace_back(options, pauseMs);
    }
    void Disconnect() override { ++disconnects; }
    void Publish(const Message& message) override { published.push_back(message); }
    void Subscribe(const std::string& topic) override { subscribed.push_back(topic); }
    void Unsubscribe(const std::string&) override {}
    std::vector<LinkEvent> TakeEvents(std::uint64_t& droppedCount) override {
        droppedCount = dropped;
        dropped = 0;
        return std::exchange(pending, {});
    }
};

class RecordingStatus final : public StatusView {
public:
    std::vector<std::string> shown;
    void ShowMqttStatus(const std::string& text) override { shown.push_back(text); }
};

class MqttSessionTest : public testing::ControllerTest {
protected:
    RecordingLink link;
    RecordingStatus status;
    MqttSession session{controller, settings, link, status};

    void Deliver(LinkEvent event) {
        link.pending.push_back(std::move(event));
        session.OnLinkEvents();
    }
    void Set(const std::string& payload, bool retain = false) {
        Deliver({LinkEvent::Kind::kMessage, 0, {"torvik/A1MIRVAX8/set", payload, retain}});
    }
    // A box, a broker set through torvikctl's words, and the broker's yes.
    void Connected() {
        StartWithBox();
        session.Start();
        ASSERT_EQ(session.Command({"set", "host", "127.0.0.1"}).code, bands::kReplyOk);
        Deliver({LinkEvent::Kind::kConnected, 0, {}});
        link.published.clear();
    }
    std::vector<std::string> PublishedTopics() const {
        std::vector<std::string> topics;
        for (const Message& m : link.published) topics.push_back(m.topic);
        return topics;
    }
    nlohmann::json LastState() const {
        for (auto m = link.published.rbegin(); m != link.published.rend(); ++m) {
            if (m->topic == "torvik/A1MIRVAX8/state") return nlohmann::json::parse(m->payload);
        }
        return {};
    }
};

TEST_F(MqttSessionTest, NothingConnectsUntilAHostIsSetThenTheWillAndEverythingIsPublished) {
    StartWithBox();
    session.Start();
    EXPECT_TRUE(link.connects.empty());
    ASSERT_EQ(session.Command({"set", "password", "Sw0rdf1sh"}).code, bands::kReplyOk);
    EXPECT_TRUE(link.connects.empty());
    const bands::BandsReply reply = session.Command({"set", "host", "127.0.0.1"});
    EXPECT_EQ(reply.text.find("Sw0rdf1sh"), std::string::npos);
    ASSERT_EQ(link.connects.size(), 1u);
    EXPECT_EQ(link.connects[0].first.willTopic, "torvik/A1MIRVAX8/availability");
    EXPECT_EQ(link.connects[0].first.willPayload, "offline");
    EXPECT_EQ(link.connects[0].first.password, "Sw0rdf1sh");
    EXPECT_EQ(link.connects[0].second, 0u);
    EXPECT_TRUE(link.published.empty());   // nothing before the broker's yes

    Deliver({LinkEvent::Kind::kConnected, 0, {}});
    EXPECT_EQ(link.subscribed, (std::vector<std::string>{"torvik/A1MIRVAX8/set"}));
    ASSERT_GE(link.published.size(), 6u);
    EXPECT_EQ(link.published[0], (Message{"torvik/A1MIRVAX8/availability", "online", true}));
    EXPECT_EQ(link.published.back().topic, "torvik/A1MIRVAX8/state");   // after discovery
    for (const Message& m : link.published) EXPECT_TRUE(m.retain) << m.topic;
    EXPECT_EQ(LastState()["mask"], 1);
    EXPECT_EQ(status.shown.back(), "MQTT: connected");

    // A refresh without a change publishes nothing; a click publishes the state once.
    link.published.clear();
    session.Refresh();
    EXPECT_TRUE(link.published.empty());
    controller.AntennaAction(1);
    session.Refresh();
    session.Refresh();
    EXPECT_EQ(PublishedTopics(), (std::vector<std::string>{"torvik/A1MIRVAX8/state"}));
    EXPECT_EQ(LastState()["mask"], 2);
}

TEST_F(MqttSessionTest, SetRequestsGoThroughTheControllerAndTheLockRefusesThem) {
    Connected();
    Set("4");
    EXPECT_EQ(box.LastOutput(testing::kBoxLocation), std::optional<std::uint8_t>(0x09));
    EXPECT_EQ(LastState()["mask"], 4);
    Set("{\"mode\":\"mixer\"}");
    Set("{\"antenna\":1,\"on\":true}");
    EXPECT_EQ(controller.GetAntennaMask() >> 16, 5);
    // In mixer mode the select goes and is removed; a switch per antenna comes.
    const auto topics = PublishedTopics();
    EXPECT_NE(std::find(topics.begin(), topics.end(),
                        "homeassistant/switch/torvik_A1MIRVAX8/antenna_3/config"),
              topics.end());
    const auto removal = std::find_if(link.published.begin(), link.published.end(), [](const Message& m) {
        return m.topic == "homeassistant/select/torvik_A1MIRVAX8/antenna/config";
    });
    ASSERT_NE(removal, link.published.end());
    EXPECT_EQ(removal->payload, "");

    Set("{\"lock\":true}");
    EXPECT_TRUE(controller.Locked());
    ForgetHistory();
    for (const char* refused : {"2", "{\"mask\":3}", "{\"antenna\":2,\"on\":true}", "{\"mode\":\"switch\"}"}) {
        Set(refused);
    }
    EXPECT_TRUE(journal.empty()) << journal.front();   // no byte, no check, no store
    EXPECT_EQ(LastState()["locked"], true);
    Set("{\"lock\":false}");
    EXPECT_EQ(controller.GetAntennaMask() >> 16, 5);
    EXPECT_EQ(session.Ignored(), 0u);   // refused is not ignored
}

TEST_F(MqttSessionTest, WhatIsNoRequestIsCountedAndChangesNothing) {
    Connected();
    ForgetHistory();
    Set("hello {");
    Set("99");
    Set("4", true);   // retained: it would come back at every connection
    link.dropped = 2;   // too large, or beyond the link's queue
    Deliver({LinkEvent::Kind::kMessage, 0, {"torvik/other/set", "4", false}});
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(session.Ignored(), 5u);
    EXPECT_EQ(status.shown.back(), "MQTT: connected, 5 ignored");
}

TEST_F(MqttSessionTest, RefusalsAndLossesRetryWithGrowingPausesAndAConnectionResetsThem) {
    Connected();
    link.connects.clear();
    Deliver({LinkEvent::Kind::kLost, 7, {}});
    EXPECT_EQ(status.shown.back(), "MQTT: broker unreachable");
    Deliver({LinkEvent::Kind::kRefused, 5, {}});
    EXPECT_EQ(status.shown.back(), "MQTT: not authorised");
    Deliver({LinkEvent::Kind::kRefused, 4, {}});
    ASSERT_EQ(link.connects.size(), 3u);
    EXPECT_EQ(link.connects[0].second, 1000u);
    EXPECT_EQ(link.connects[1].second, 2000u);
    EXPECT_EQ(link.connects[2].second, 4000u);
    Deliver({LinkEvent::Kind::kConnected, 0, {}});
    EXPECT_EQ(LastState()["mask"], 1);   // everything again after a reconnection
    Deliver({LinkEvent::Kind::kLost, 7, {}});
    EXPECT_EQ(link.connects.back().second, 1000u);

    // Switched off: a late event of the old connection brings no new attempt.
    ASSERT_EQ(session.Command({"off"}).code, bands::kReplyOk);
    const std::size_t attempts = link.connects.size();
    Deliver({LinkEvent::Kind::kLost, 7, {}});
    EXPECT_EQ(link.connects.size(), attempts);
    EXPECT_EQ(status.shown.back(), "");
}

TEST_F(MqttSessionTest, AReloadTakesUpAFileEditedByHandAndOnlyAChangeReconnects) {
    Connected();
    const std::size_t before = link.connects.size();
    session.Reload();
    EXPECT_EQ(link.connects.size(), before);
    settings.texts[{"MQTT", "PORT"}] = "8883";
    session.Reload();
    ASSERT_EQ(link.connects.size(), before + 1);
    EXPECT_EQ(link.connects.back().first.port, 8883);
    EXPECT_EQ(link.published.back(), (Message{"torvik/A1MIRVAX8/availability", "offline", true}));
}

TEST_F(MqttSessionTest, ShutdownSaysOfflineBeforeItDisconnects) {
    Connected();
    session.Shutdown();
    ASSERT_EQ(link.published.size(), 1u);
    EXPECT_EQ(link.published[0], (Message{"torvik/A1MIRVAX8/availability", "offline", true}));
    EXPECT_EQ(link.disconnects, 2);   // the first when the host was set
    session.Refresh();
    controller.AntennaAction(2);
    session.Refresh();
    EXPECT_EQ(link.published.size(), 1u);
}

TEST_F(MqttSessionTest, ABoxThatGoesStaysAsItWasButAbsent) {
    Connected();
    controller.AntennaAction(2);
    session.Refresh();
    box.devices.clear();
    controller.OnDeviceNotice();
    session.Refresh();
    const nlohmann::json state = LastState();
    EXPECT_EQ(state["present"], false);
    EXPECT_EQ(state["mask"], 4);   // as last seen, not the defaults without a box
}

// A library built without TLS (the Windows build's) cannot be helped by a retry: the status
// says why, and only a change of the settings tries again.
TEST_F(MqttSessionTest, TlsMissingFromTheLibraryIsToldAndNotRetried) {
    Connected();
    ASSERT_EQ(session.Command({"set", "tls", "on"}).code, bands::kReplyOk);
    const std::size_t attempts = link.connects.size();
    Deliver({LinkEvent::Kind::kNoTls, 10, {}});
    EXPECT_EQ(status.shown.back(), kNoTlsText);
    EXPECT_EQ(link.connects.size(), attempts);
    ASSERT_EQ(session.Command({"set", "tls", "off"}).code, bands::kReplyOk);
    EXPECT_EQ(link.connects.size(), attempts + 1);
    EXPECT_FALSE(link.connects.back().first.tls);
}

}  // namespace
}  // namespace torvik::mqtt

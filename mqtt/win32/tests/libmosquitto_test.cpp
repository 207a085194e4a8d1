// The cross-built libmosquitto against a real broker (tests/wine/run-unit-exes starts one and
// gives its port in TORVIK_TEST_BROKER_PORT), on Winsock under Wine: the library itself with the
// last will after a cut, and the project's link over it, woken through a window's messages.

#include <gtest/gtest.h>
#include <mosquitto.h>
#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <type_traits>
#include <string>
#include <utility>
#include <vector>

#include "mqtt/mosquitto_link.h"

namespace {

struct Library {
    Library() { mosquitto_lib_init(); }
    ~Library() { mosquitto_lib_cleanup(); }
};

int broker_port() {
    const char* text = std::getenv("TORVIK_TEST_BROKER_PORT");
    return text ? std::atoi(text) : 0;
}

// Topics of this run only, so nothing retained by an earlier run can answer for this one.
std::string run_topic(const std::string& leaf) {
    return "torvik-test/" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64()) + "/" + leaf;
}

// One client, driven on this thread by mosquitto_loop; keeps what arrives.
class Client {
public:
    explicit Client(const std::string& id) : handle_(mosquitto_new(id.c_str(), true, this), &mosquitto_destroy) {
        mosquitto_connect_callback_set(handle_.get(), [](mosquitto*, void* self, int rc) {
            static_cast<Client*>(self)->connected_ = rc == 0;
        });
        mosquitto_subscribe_callback_set(handle_.get(), [](mosquitto*, void* self, int, int, const int*) {
            ++static_cast<Client*>(self)->subscriptions_;
        });
        mosquitto_publish_callback_set(handle_.get(), [](mosquitto*, void* self, int) {
            ++static_cast<Client*>(self)->acknowledged_;
        });
        mosquitto_message_callback_set(handle_.get(), [](mosquitto*, void* self, const mosquitto_message* m) {
            const char* bytes = static_cast<const char*>(m->payload);
            static_cast<Client*>(self)->received_.push_back(
                {m->topic, std::string(bytes, bytes + m->payloadlen), m->retain});
        });
    }

    struct Message {
        std::string topic;
        std::string payload;
        bool retained;
    };

    mosquitto* get() const { return handle_.get(); }
    const std::vector<Message>& received() const { return received_; }
    int acknowledged() const { return acknowledged_; }

    // Runs the loop of every client given until done() holds or five seconds pass.
    static bool run_until(std::initializer_list<Client*> clients, const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            for (Client* c : clients) mosquitto_loop(c->get(), 20, 1);
        }
        return true;
    }

    bool connect() {
        if (mosquitto_connect(get(), "127.0.0.1", broker_port(), 10) != MOSQ_ERR_SUCCESS) return false;
        return run_until({this}, [this] { return connected_; });
    }

    bool subscribe(const std::string& pattern) {
        const int before = subscriptions_;
        if (mosquitto_subscribe(get(), nullptr, pattern.c_str(), 1) != MOSQ_ERR_SUCCESS) return false;
        return run_until({this}, [&] { return subscriptions_ > before; });
    }

    bool has(const std::string& topic, const std::string& payload) const {
        for (const Message& m : received_)
            if (m.topic == topic && m.payload == payload) return true;
        return false;
    }

private:
    std::unique_ptr<mosquitto, decltype(&mosquitto_destroy)> handle_;
    bool connected_ = false;
    int subscriptions_ = 0;
    int acknowledged_ = 0;
    std::vector<Message> received_;
};

int publish(Client& c, const std::string& topic, const std::string& payload, bool retain) {
    return mosquitto_publish(c.get(), nullptr, topic.c_str(), static_cast<int>(payload.size()),
                             payload.data(), 1, retain);
}

}  // namespace

TEST(Libmosquitto, RetainedStateReachesALaterSubscriberAndTheWillFollowsACut) {
    ASSERT_GT(broker_port(), 0) << "TORVIK_TEST_BROKER_PORT names the test broker";
    Library library;
    const std::string state = run_topic("state");
    const std::string availability = run_topic("availability");

    Client device("torvik-test-device");
    ASSERT_EQ(mosquitto_will_set(device.get(), availability.c_str(), 7, "offline", 1, true),
              MOSQ_ERR_SUCCESS);
    ASSERT_TRUE(device.connect());
    ASSERT_EQ(publish(device, availability, "online", true), MOSQ_ERR_SUCCESS);
    ASSERT_EQ(publish(device, state, R"({"mask":5})", true), MOSQ_ERR_SUCCESS);

    ASSERT_TRUE(Client::run_until({&device}, [&] { return device.acknowledged() == 2; }));

    // The subscriber comes later: only the broker's retained copies can reach it.
    Client watcher("torvik-test-watcher");
    ASSERT_TRUE(watcher.connect());
    ASSERT_TRUE(watcher.subscribe(state));
    ASSERT_TRUE(watcher.subscribe(availability));
    ASSERT_TRUE(Client::run_until({&device, &watcher}, [&] {
        return watcher.has(state, R"({"mask":5})") && watcher.has(availability, "online");
    }));
    EXPECT_TRUE(watcher.received().front().retained);
    EXPECT_FALSE(watcher.has(availability, "offline"));

    // A cut without a goodbye: the broker sends the will.
    closesocket(static_cast<SOCKET>(mosquitto_socket(device.get())));
    EXPECT_TRUE(Client::run_until({&watcher}, [&] { return watcher.has(availability, "offline"); }));
}

// The project's link over the same library, woken as the program's window is: a message posted
// from the link's thread, taken on this one.
TEST(MosquittoLinkOnWindows, WokenByPostedMessagesItConnectsPublishesAndReceives) {
    ASSERT_GT(broker_port(), 0) << "TORVIK_TEST_BROKER_PORT names the test broker";
    const std::string state = run_topic("state");
    const std::string set = run_topic("set");
    std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> window(
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr),
        &DestroyWindow);
    ASSERT_NE(window.get(), nullptr);

    struct Woken {
        torvik::mqtt::MosquittoLink link;
        std::vector<torvik::mqtt::LinkEvent> events;
        bool has(torvik::mqtt::LinkEvent::Kind kind) const {
            for (const auto& e : events)
                if (e.kind == kind) return true;
            return false;
        }
    };
    const HWND target = window.get();
    Woken device{torvik::mqtt::MosquittoLink([target] { PostMessageA(target, WM_APP, 0, 0); }), {}};
    Woken watcher{torvik::mqtt::MosquittoLink([target] { PostMessageA(target, WM_APP + 1, 0, 0); }), {}};
    // Pumps the window's posted messages, taking each link's events, until done() or 5 s.
    const auto pump = [&](const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
            MSG message;
            while (PeekMessageA(&message, target, WM_APP, WM_APP + 1, PM_REMOVE)) {
                Woken& woken = message.message == WM_APP ? device : watcher;
                std::uint64_t dropped = 0;
                for (auto& e : woken.link.TakeEvents(dropped)) woken.events.push_back(std::move(e));
            }
        }
        return true;
    };
    using Kind = torvik::mqtt::LinkEvent::Kind;

    torvik::mqtt::ConnectOptions options;
    options.host = "127.0.0.1";
    options.port = static_cast<std::uint16_t>(broker_port());
    options.clientId = "torvik-test-link-device";
    options.willTopic = run_topic("availability");
    options.willPayload = "offline";
    device.link.Connect(options, 0);
    options.clientId = "torvik-test-link-watcher";
    options.willTopic.clear();
    watcher.link.Connect(options, 0);
    ASSERT_TRUE(pump([&] { return device.has(Kind::kConnected) && watcher.has(Kind::kConnected); }));

    // Retained state first, then a command on a topic the watcher has: in order on one connection,
    // so once the command arrived the broker keeps the state.
    watcher.link.Subscribe(set);
    const auto received = [&](const std::string& topic, const std::string& payload, bool retained) {
        for (const auto& e : watcher.events)
            if (e.kind == Kind::kMessage && e.message.topic == topic && e.message.payload == payload &&
                e.message.retain == retained)
                return true;
        return false;
    };
    // The subscription is in place once a message on it comes back: publish until one does.
    ASSERT_TRUE(pump([&] {
        device.link.Publish({state, R"({"mask":5})", true});
        device.link.Publish({set, "5", false});
        return received(set, "5", false);
    }));
    watcher.link.Subscribe(state);
    EXPECT_TRUE(pump([&] { return received(state, R"({"mask":5})", true); }));
    EXPECT_FALSE(device.has(Kind::kLost));
    EXPECT_FALSE(watcher.has(Kind::kLost));
}

#pragma once
// The seam between the MQTT session (on the window's thread) and the client library. Every call
// returns at once: a link hands the work to its own thread and tells what happened through
// events, which the session takes when the link has woken the window's thread.

#include <cstdint>
#include <string>
#include <vector>

namespace torvik::mqtt {

struct ConnectOptions {
    std::string host;
    std::uint16_t port = 0;
    std::string clientId;   // empty: the library picks one
    std::string user;       // empty: none
    std::string password;
    bool tls = false;
    std::string caFile;     // empty: the system's certificate authorities
    std::string willTopic;  // the last will, retained
    std::string willPayload;
    std::uint16_t keepAliveSeconds = 30;
};

struct Message {
    std::string topic;
    std::string payload;
    bool retain = false;
    friend bool operator==(const Message&, const Message&) = default;
};

struct LinkEvent {
    enum class Kind {
        kConnected,   // the broker accepted the connection
        kRefused,     // the broker answered the connection with a refusal: code is the CONNACK's
        kLost,        // no connection came about, or it ended (code: the library's reason)
        kMessage,     // a message on a subscribed topic
        kNoTls,       // TLS was asked of a library built without it: no retry can help
    };
    Kind kind = Kind::kLost;
    int code = 0;
    Message message;
};

class MqttLink {
public:
    virtual ~MqttLink() = default;
    // Drops any connection and connects after pauseMs with these options.
    virtual void Connect(const ConnectOptions& options, std::uint32_t pauseMs) = 0;
    // Sends what is queued, then closes the connection cleanly (no last will); no reconnect.
    virtual void Disconnect() = 0;
    // Dropped when not connected (the session publishes everything again after a connection).
    virtual void Publish(const Message& message) = 0;
    virtual void Subscribe(const std::string& topic) = 0;
    virtual void Unsubscribe(const std::string& topic) = 0;
    // The events since the last call, in order. dropped: messages the link threw away since
    // the last call (over the size limit, or more than its queue holds).
    virtual std::vector<LinkEvent> TakeEvents(std::uint64_t& dropped) = 0;
};

// Incoming messages larger than this are dropped by the link before they are queued.
inline constexpr std::size_t kMaxIncomingPayload = 4096;
// At most this many events wait for the window's thread; later messages are dropped.
inline constexpr std::size_t kMaxQueuedEvents = 512;

}  // namespace torvik::mqtt

#include "mqtt/mosquitto_link.h"

#include <mosquitto.h>

#include <chrono>
#include <optional>

namespace torvik::mqtt {
namespace {

using Clock = std::chrono::steady_clock;

// While connecting (and without a wake channel), how long one turn of the library's loop waits
// on the socket: a request queued by the window's thread waits at most this long.
constexpr int kLoopTimeoutMs = 10;
// Connected, the longest sleep between turns: the library's keep-alive is looked after at least
// this often.
constexpr int kIdleTurnMs = 1000;
// A broker that has not answered a connection by then counts as unreachable.
constexpr auto kConnectTimeout = std::chrono::seconds(10);
// How long a clean disconnect may take to send what is queued.
constexpr auto kDisconnectTimeout = std::chrono::seconds(1);
// A lost connection that the library reports without a reason of its own.
constexpr int kTimedOut = -1;

// The library's process-wide set-up, done once before the first link and undone at exit.
struct LibraryUse {
    LibraryUse() { mosquitto_lib_init(); }
    ~LibraryUse() { mosquitto_lib_cleanup(); }
    LibraryUse(const LibraryUse&) = delete;
    LibraryUse& operator=(const LibraryUse&) = delete;
};

struct ClientDeleter {
    void operator()(mosquitto* client) const { mosquitto_destroy(client); }
};
using ClientHandle = std::unique_ptr<mosquitto, ClientDeleter>;

MosquittoLink::Request RequestOf(MosquittoLink::Request::Kind kind) {
    MosquittoLink::Request request;
    request.kind = kind;
    return request;
}

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

// Lives on the worker thread alone: the client handle and every call of the library.
class MosquittoLink::Worker {
public:
    explicit Worker(MosquittoLink& link) : link_(link) {}

    void Run(const std::stop_token& stop) {
        std::deque<Request> requests;
        for (;;) {
            {
                std::unique_lock lock(link_.mutex_);
                const bool idle = !client_ && !connectAt_;
                if (idle && link_.requests_.empty()) {
                    link_.requestsChanged_.wait(lock, stop, [this] { return !link_.requests_.empty(); });
                } else if (!client_ && connectAt_) {
                    link_.requestsChanged_.wait_until(lock, stop, *connectAt_,
                                                      [this] { return !link_.requests_.empty(); });
                }
                requests.swap(link_.requests_);
            }
            for (Request& request : requests) Carry(request);
            requests.clear();
            if (stop.stop_requested()) break;
            if (!client_ && connectAt_ && Clock::now() >= *connectAt_) StartConnection();
            if (client_) Turn();
        }
        // The window's thread queued its last requests (the offline state, a disconnect)
        // before it stopped the thread; they were carried out above.
        CloseCleanly();
    }

private:
    void Carry(Request& request) {
        switch (request.kind) {
        case Request::Kind::kConnect:
            Drop();
            options_ = std::move(request.options);
            connectAt_ = Clock::now() + std::chrono::milliseconds(request.pauseMs);
            return;
        case Request::Kind::kDisconnect:
            connectAt_.reset();
            CloseCleanly();
            return;
        case Request::Kind::kPublish:
            if (connected_) {
                const Message& m = request.message;
                mosquitto_publish(client_.get(), nullptr, m.topic.c_str(),
                                  static_cast<int>(m.payload.size()), m.payload.data(), 1, m.retain);
            }
            return;
        case Request::Kind::kSubscribe:
            if (connected_) mosquitto_subscribe(client_.get(), nullptr, request.topic.c_str(), 0);
            return;
        case Request::Kind::kUnsubscribe:
            if (connected_) mosquitto_unsubscribe(client_.get(), nullptr, request.topic.c_str());
            return;
        }
    }

    void StartConnection() {
        connectAt_.reset();
        ClientHandle client(mosquitto_new(OrNull(options_.clientId), true, this));
        if (!client) {
            Tell({LinkEvent::Kind::kLost, MOSQ_ERR_NOMEM, {}});
            return;
        }
        mosquitto_int_option(client.get(), MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
        // Small packets at once: Nagle's wait for an acknowledgement would delay a state
        // that follows another packet by the peer's delayed-ACK time.
        mosquitto_int_option(client.get(), MOSQ_OPT_TCP_NODELAY, 1);
        mosquitto_connect_callback_set(client.get(), &Worker::OnConnect);
        mosquitto_disconnect_callback_set(client.get(), &Worker::OnDisconnect);
        mosquitto_message_callback_set(client.get(), &Worker::OnMessage);
        int rc = MOSQ_ERR_SUCCESS;
        if (!options_.user.empty()) {
            rc = mosquitto_username_pw_set(client.get(), options_.user.c_str(),
                                           OrNull(options_.password));
        }
        if (rc == MOSQ_ERR_SUCCESS && !options_.willTopic.empty()) {
            rc = mosquitto_will_set(client.get(), options_.willTopic.c_str(),
                                    static_cast<int>(options_.willPayload.size()),
                                    options_.willPayload.data(), 1, true);
        }
        if (rc == MOSQ_ERR_SUCCESS && options_.tls) {
#ifdef _WIN32
            const char* systemAuthorities = nullptr;
#else
            const char* systemAuthorities = "/etc/ssl/certs";
#endif
            rc = mosquitto_tls_set(client.get(), OrNull(options_.caFile),
                                   options_.caFile.empty() ? systemAuthorities : nullptr, nullptr,
                                   nullptr, nullptr);
            if (rc == MOSQ_ERR_NOT_SUPPORTED) {
                Tell({LinkEvent::Kind::kNoTls, rc, {}});
                return;
            }
        }
        if (rc == MOSQ_ERR_SUCCESS) {
            // Without waiting for the TCP connection: the loop's turns finish it.
            rc = mosquitto_connect_async(client.get(), options_.host.c_str(), options_.port,
                                         options_.keepAliveSeconds);
        }
        if (rc != MOSQ_ERR_SUCCESS) {
            Tell({LinkEvent::Kind::kLost, rc, {}});
            return;
        }
        client_ = std::move(client);
        connected_ = false;
        ended_ = false;
        connectDeadline_ = Clock::now() + kConnectTimeout;
    }

    // One turn of the library's loop; a connection that ended is told once and let go.
    // Connected, the thread first sleeps until the broker sends, the socket takes what waits,
    // a request comes or the keep-alive is due, and the library's turn then waits no more. While
    // connecting the library's own short wait is kept: during a TLS handshake the socket can be
    // writable with nothing the library will write yet, which would make the sleep a spin.
    void Turn() {
        int rc = MOSQ_ERR_SUCCESS;
        if (connected_ && link_.workerWake_.Valid()) {
            const int socket = mosquitto_socket(client_.get());
            const Readiness ready =
                socket >= 0 ? link_.workerWake_.Wait(socket, mosquitto_want_write(client_.get()),
                                                     kIdleTurnMs)
                            : Readiness{};
            rc = ready.failed ? MOSQ_ERR_ERRNO : mosquitto_loop(client_.get(), 0, 1);
        } else {
            rc = mosquitto_loop(client_.get(), kLoopTimeoutMs, 1);
        }
        if (!ended_ && rc != MOSQ_ERR_SUCCESS) End({LinkEvent::Kind::kLost, rc, {}});
        if (!ended_ && !connected_ && Clock::now() > connectDeadline_) {
            End({LinkEvent::Kind::kLost, kTimedOut, {}});
        }
        if (ended_) Drop();
    }

    void End(LinkEvent event) {
        ended_ = true;
        connected_ = false;
        Tell(std::move(event));
    }

    void Drop() {
        client_.reset();
        connected_ = false;
        ended_ = false;
    }

    void CloseCleanly() {
        if (client_ && connected_) {
            ended_ = true;   // asked for: not told as lost
            mosquitto_disconnect(client_.get());
            const auto deadline = Clock::now() + kDisconnectTimeout;
            while (connected_ && Clock::now() < deadline &&
                   mosquitto_loop(client_.get(), kLoopTimeoutMs, 1) == MOSQ_ERR_SUCCESS) {
            }
        }
        Drop();
    }

    void Tell(LinkEvent event) {
        bool wake = false;
        {
            std::lock_guard lock(link_.mutex_);
            if (event.kind == LinkEvent::Kind::kMessage && link_.events_.size() >= kMaxQueuedEvents) {
                ++link_.dropped_;
            } else {
                link_.events_.push_back(std::move(event));
            }
            wake = !link_.wakePending_;
            link_.wakePending_ = true;
        }
        if (wake && link_.wake_) link_.wake_();
    }

    void CountDropped() {
        bool wake = false;
        {
            std::lock_guard lock(link_.mutex_);
            ++link_.dropped_;
            wake = !link_.wakePending_;
            link_.wakePending_ = true;
        }
        if (wake && link_.wake_) link_.wake_();
    }

    static void OnConnect(mosquitto*, void* self, int rc) {
        auto& worker = *static_cast<Worker*>(self);
        if (rc == 0) {
            worker.connected_ = true;
            worker.Tell({LinkEvent::Kind::kConnected, 0, {}});
        } else {
            worker.End({LinkEvent::Kind::kRefused, rc, {}});
        }
    }

    static void OnDisconnect(mosquitto*, void* self, int rc) {
        auto& worker = *static_cast<Worker*>(self);
        worker.connected_ = false;
        if (!worker.ended_) worker.End({LinkEvent::Kind::kLost, rc, {}});
    }

    static void OnMessage(mosquitto*, void* self, const mosquitto_message* message) {
        auto& worker = *static_cast<Worker*>(self);
        if (message->payloadlen < 0 ||
            static_cast<std::size_t>(message->payloadlen) > kMaxIncomingPayload) {
            worker.CountDropped();
            return;
        }
        LinkEvent event{LinkEvent::Kind::kMessage, 0, {}};
        event.message.topic = message->topic != nullptr ? message->topic : "";
        event.message.payload.assign(static_cast<const char*>(message->payload),
                                     static_cast<std::size_t>(message->payloadlen));
        event.message.retain = message->retain;
        worker.Tell(std::move(event));
    }

    MosquittoLink& link_;
    ConnectOptions options_;
    ClientHandle client_;
    std::optional<Clock::time_point> connectAt_;
    Clock::time_point connectDeadline_{};
    bool connected_ = false;
    bool ended_ = false;   // the connection's end was told (or asked for)
};

MosquittoLink::MosquittoLink(std::function<void()> wake)
    : wake_(std::move(wake)), worker_(std::make_unique<Worker>(*this)) {
    static LibraryUse library;
    thread_ = std::jthread([this](std::stop_token stop) { worker_->Run(stop); });
}

MosquittoLink::~MosquittoLink() {
    thread_.request_stop();
    workerWake_.Notify();
    thread_.join();
}

void MosquittoLink::Queue(Request request) {
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(std::move(request));
    }
    requestsChanged_.notify_one();
    workerWake_.Notify();
}

void MosquittoLink::Connect(const ConnectOptions& options, std::uint32_t pauseMs) {
    Request request = RequestOf(Request::Kind::kConnect);
    request.options = options;
    request.pauseMs = pauseMs;
    Queue(std::move(request));
}

void MosquittoLink::Disconnect() { Queue(RequestOf(Request::Kind::kDisconnect)); }

void MosquittoLink::Publish(const Message& message) {
    Request request = RequestOf(Request::Kind::kPublish);
    request.message = message;
    Queue(std::move(request));
}

void MosquittoLink::Subscribe(const std::string& topic) {
    Request request = RequestOf(Request::Kind::kSubscribe);
    request.topic = topic;
    Queue(std::move(request));
}

void MosquittoLink::Unsubscribe(const std::string& topic) {
    Request request = RequestOf(Request::Kind::kUnsubscribe);
    request.topic = topic;
    Queue(std::move(request));
}

std::vector<LinkEvent> MosquittoLink::TakeEvents(std::uint64_t& dropped) {
    std::lock_guard lock(mutex_);
    wakePending_ = false;
    dropped = dropped_;
    dropped_ = 0;
    std::vector<LinkEvent> events;
    events.swap(events_);
    return events;
}

}  // namespace torvik::mqtt

#pragma once
// MqttLink over libmosquitto. One worker thread owns the client handle and is the only thread
// that calls the library (so libmosquitto needs no thread support of its own). Connected, it
// sleeps on the client's socket and a wake channel (see wake_channel.h) and then lets the library
// take its turn; connecting, it runs the library's loop with a short time-out. Between turns it
// carries out the requests the window's thread queued, which also wake it. Events go back through a queue; wake is called (on the worker thread) when the
// queue goes from empty to not empty, and the platform turns it into a call of TakeEvents on the
// window's thread (Qt: a queued invocation; Win32: a posted message).

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mqtt/mqtt_link.h"
#include "mqtt/wake_channel.h"

namespace torvik::mqtt {

class MosquittoLink final : public MqttLink {
public:
    explicit MosquittoLink(std::function<void()> wake);
    // Sends what is queued and closes the connection (bounded), then ends the worker.
    ~MosquittoLink() override;
    MosquittoLink(const MosquittoLink&) = delete;
    MosquittoLink& operator=(const MosquittoLink&) = delete;

    void Connect(const ConnectOptions& options, std::uint32_t pauseMs) override;
    void Disconnect() override;
    void Publish(const Message& message) override;
    void Subscribe(const std::string& topic) override;
    void Unsubscribe(const std::string& topic) override;
    std::vector<LinkEvent> TakeEvents(std::uint64_t& dropped) override;

    // One queued call of the window's thread.
    struct Request {
        enum class Kind { kConnect, kDisconnect, kPublish, kSubscribe, kUnsubscribe };
        Kind kind = Kind::kPublish;
        ConnectOptions options;       // kConnect
        std::uint32_t pauseMs = 0;    // kConnect
        Message message;              // kPublish
        std::string topic;            // kSubscribe, kUnsubscribe
    };
    class Worker;   // the thread's side: the handle and the library's callbacks

private:
    void Queue(Request request);

    std::mutex mutex_;
    std::condition_variable_any requestsChanged_;
    std::deque<Request> requests_;
    std::vector<LinkEvent> events_;
    std::uint64_t dropped_ = 0;
    bool wakePending_ = false;   // woken, and the events not yet taken
    std::function<void()> wake_;
    WakeChannel workerWake_;   // ends the worker's sleep on the socket
    std::unique_ptr<Worker> worker_;
    std::jthread thread_;   // last: stopped and joined first
};

}  // namespace torvik::mqtt

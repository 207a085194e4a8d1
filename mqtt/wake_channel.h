#pragma once
// The MQTT worker's wait: the client's socket and a wake channel of its own, so that the worker
// sleeps until the broker sends, the socket takes what is queued, a request of the window's
// thread arrives or the keep-alive is due, instead of turning every few milliseconds. The wake
// channel is a pipe on POSIX systems and a loopback UDP socket talking to itself on Windows
// (whose wait takes only sockets).

#include <cstdint>

namespace torvik::mqtt {

struct Readiness {
    bool readable = false;   // data, or the connection's end, to read
    bool writable = false;
    bool failed = false;     // the wait itself failed
};

class WakeChannel {
public:
    WakeChannel();
    ~WakeChannel();
    WakeChannel(const WakeChannel&) = delete;
    WakeChannel& operator=(const WakeChannel&) = delete;

    // False when the channel could not be made; the worker then turns on a short time-out.
    bool Valid() const { return valid_; }
    // From any thread: ends the current or the next wait.
    void Notify();
    // Waits up to timeoutMs for the client's socket (readable; writable too when wantWrite) or
    // a notification, which it takes.
    Readiness Wait(int clientSocket, bool wantWrite, int timeoutMs);

private:
    void Drain();

    bool valid_ = false;
    std::intptr_t readEnd_ = -1;
    std::intptr_t writeEnd_ = -1;
};

}  // namespace torvik::mqtt

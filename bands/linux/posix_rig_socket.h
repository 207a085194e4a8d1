#pragma once
// The frequency source's connection for the Linux edition: a non-blocking POSIX socket that
// the program's event loop watches (Descriptor, WantedEvents) and reports on (OnReady), so
// nothing waits on the network. PollOnce is that loop for a host without one of its own.

#include <poll.h>

#include "bands/rig_link.h"

namespace torvik::bands {

class PosixRigSocket final : public RigSocket {
public:
    PosixRigSocket() = default;
    ~PosixRigSocket() override;
    PosixRigSocket(const PosixRigSocket&) = delete;
    PosixRigSocket& operator=(const PosixRigSocket&) = delete;

    bool Open(const SourceAddress& address) override;
    bool Send(std::string_view bytes) override;
    void Close() override;

    // The descriptor to watch (-1 when closed) and for what: writable while connecting,
    // readable afterwards.
    int Descriptor() const { return fd_; }
    short WantedEvents() const { return connecting_ ? POLLOUT : POLLIN; }
    // What poll reported for the descriptor, told to link.
    void OnReady(short events, RigLink& link, Millis now);

    // Waits for the socket until the link is due (at most maxWait ms), then runs both.
    void PollOnce(RigLink& link, int maxWaitMilliseconds);

private:
    int fd_ = -1;
    bool connecting_ = false;
};

Millis MonotonicMillis();

}  // namespace torvik::bands

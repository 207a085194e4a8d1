#pragma once
// The pushed sources' UDP socket for the Linux edition: non-blocking, bound with SO_REUSEADDR
// so that other programs may listen on the same port, watched by the program's event loop
// (Descriptor) and read when it says so (OnReadable).

#include "bands/push_listener.h"

namespace torvik::bands {

class PosixDatagramSocket final : public DatagramSocket {
public:
    // Datagrams read per wake-up: a flood cannot hold the event loop.
    static constexpr int kMaxPerWake = 64;

    PosixDatagramSocket() = default;
    ~PosixDatagramSocket() override;
    PosixDatagramSocket(const PosixDatagramSocket&) = delete;
    PosixDatagramSocket& operator=(const PosixDatagramSocket&) = delete;

    bool Listen(const SourceAddress& address) override;
    void Close() override;

    int Descriptor() const { return fd_; }
    // Hands every waiting datagram (up to kMaxPerWake) with its sender to listener.
    void OnReadable(PushListener& listener, Millis now);

private:
    int fd_ = -1;
};

}  // namespace torvik::bands

#include "mqtt/wake_channel.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

#include <array>

namespace torvik::mqtt {

#ifdef _WIN32
// Winsock is started by the MQTT library's own initialisation, before any channel is made.
namespace {

SOCKET AsSocket(std::intptr_t handle) { return static_cast<SOCKET>(handle); }

}  // namespace

WakeChannel::WakeChannel() {
    SOCKET wake = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (wake == INVALID_SOCKET) return;
    sockaddr_in self{};
    self.sin_family = AF_INET;
    self.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof self;
    u_long nonBlocking = 1;
    if (bind(wake, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0 ||
        getsockname(wake, reinterpret_cast<sockaddr*>(&self), &length) != 0 ||
        connect(wake, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0 ||
        ioctlsocket(wake, FIONBIO, &nonBlocking) != 0) {
        closesocket(wake);
        return;
    }
    readEnd_ = writeEnd_ = static_cast<std::intptr_t>(wake);
    valid_ = true;
}

WakeChannel::~WakeChannel() {
    if (valid_) closesocket(AsSocket(readEnd_));
}

void WakeChannel::Notify() {
    if (valid_) send(AsSocket(writeEnd_), "w", 1, 0);
}

void WakeChannel::Drain() {
    std::array<char, 64> bytes{};
    while (recv(AsSocket(readEnd_), bytes.data(), static_cast<int>(bytes.size()), 0) > 0) {
    }
}

Readiness WakeChannel::Wait(int clientSocket, bool wantWrite, int timeoutMs) {
    std::array<WSAPOLLFD, 2> watched{};
    watched[0].fd = static_cast<SOCKET>(clientSocket);
    watched[0].events = static_cast<SHORT>(POLLRDNORM | (wantWrite ? POLLWRNORM : 0));
    watched[1].fd = AsSocket(readEnd_);
    watched[1].events = POLLRDNORM;
    Readiness ready;
    if (WSAPoll(watched.data(), static_cast<ULONG>(watched.size()), timeoutMs) == SOCKET_ERROR) {
        ready.failed = true;
        return ready;
    }
    if (watched[1].revents != 0) Drain();
    ready.readable = (watched[0].revents & (POLLRDNORM | POLLHUP | POLLERR)) != 0;
    ready.writable = (watched[0].revents & (POLLWRNORM | POLLERR)) != 0;
    return ready;
}
#else
WakeChannel::WakeChannel() {
    int ends[2];
    if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) return;
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    valid_ = true;
}

WakeChannel::~WakeChannel() {
    if (!valid_) return;
    close(static_cast<int>(readEnd_));
    close(static_cast<int>(writeEnd_));
}

void WakeChannel::Notify() {
    // A full pipe already holds a wake: the byte not written is not missed.
    if (valid_ && write(static_cast<int>(writeEnd_), "w", 1) < 0) return;
}

void WakeChannel::Drain() {
    std::array<char, 64> bytes{};
    while (read(static_cast<int>(readEnd_), bytes.data(), bytes.size()) > 0) {
    }
}

Readiness WakeChannel::Wait(int clientSocket, bool wantWrite, int timeoutMs) {
    std::array<pollfd, 2> watched{};
    watched[0].fd = clientSocket;
    watched[0].events = static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0));
    watched[1].fd = static_cast<int>(readEnd_);
    watched[1].events = POLLIN;
    Readiness ready;
    if (poll(watched.data(), watched.size(), timeoutMs) < 0) {
        ready.failed = errno != EINTR;   // a signal only ends the wait early
        return ready;
    }
    if (watched[1].revents != 0) Drain();
    ready.readable = (watched[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
    ready.writable = (watched[0].revents & (POLLOUT | POLLERR)) != 0;
    return ready;
}
#endif

}  // namespace torvik::mqtt

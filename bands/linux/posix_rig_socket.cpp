#include "bands/linux/posix_rig_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace torvik::bands {
namespace {
constexpr std::size_t kReceiveBytes = 1024;
}

PosixRigSocket::~PosixRigSocket() {
    Close();
}

bool PosixRigSocket::Open(const SourceAddress& address) {
    Close();
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(address.port);
    std::memcpy(&target.sin_addr, address.octets, sizeof address.octets);
    connecting_ = true;
    if (connect(fd_, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0 &&
        errno != EINPROGRESS) {
        Close();
        return false;
    }
    return true;
}

bool PosixRigSocket::Send(std::string_view bytes) {
    // A question is a few bytes on an idle connection: a send that cannot take them at once
    // means a peer that reads nothing, as good as lost.
    return fd_ >= 0 && !connecting_ &&
           send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
}

void PosixRigSocket::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    connecting_ = false;
}

void PosixRigSocket::OnReady(short events, RigLink& link, Millis now) {
    if (fd_ < 0 || events == 0) return;
    if (connecting_) {
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
        connecting_ = false;
        if (error == 0) {
            link.OnConnected(now);
        } else {
            link.OnConnectFailed(now);
        }
        return;
    }
    char buffer[kReceiveBytes];
    const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
    if (got > 0) {
        link.OnData(std::string_view(buffer, static_cast<std::size_t>(got)), now);
    } else if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        link.OnClosed(now);
    }
}

void PosixRigSocket::PollOnce(RigLink& link, int maxWaitMilliseconds) {
    const Millis now = MonotonicMillis();
    const Millis due = link.NextDue().value_or(now + maxWaitMilliseconds);
    const int wait = static_cast<int>(std::clamp<Millis>(due - now, 0, maxWaitMilliseconds));
    pollfd entry{fd_, WantedEvents(), 0};
    // poll with no descriptor (fd -1 is ignored) still waits out the time.
    if (poll(&entry, 1, wait) > 0) OnReady(entry.revents, link, MonotonicMillis());
    link.Tick(MonotonicMillis());
}

Millis MonotonicMillis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace torvik::bands

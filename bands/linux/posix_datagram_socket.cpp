#include "bands/linux/posix_datagram_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace torvik::bands {

PosixDatagramSocket::~PosixDatagramSocket() {
    Close();
}

bool PosixDatagramSocket::Listen(const SourceAddress& address) {
    Close();
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    const int yes = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(address.port);
    std::memcpy(&local.sin_addr, address.octets, sizeof address.octets);
    if (bind(fd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        Close();
        return false;
    }
    return true;
}

void PosixDatagramSocket::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

void PosixDatagramSocket::OnReadable(PushListener& listener, Millis now) {
    // One byte more than a UDP datagram can carry: a longer one cannot be, a cut one is seen.
    static thread_local std::vector<char> buffer(65536);
    for (int i = 0; i < kMaxPerWake && fd_ >= 0; ++i) {
        sockaddr_in sender{};
        socklen_t size = sizeof sender;
        const ssize_t got = recvfrom(fd_, buffer.data(), buffer.size(), MSG_TRUNC,
                                     reinterpret_cast<sockaddr*>(&sender), &size);
        if (got < 0) return;
        if (static_cast<std::size_t>(got) > buffer.size()) continue;
        std::uint8_t from[4];
        std::memcpy(from, &sender.sin_addr, sizeof from);
        listener.OnDatagram(std::string_view(buffer.data(), static_cast<std::size_t>(got)), from,
                            now);
    }
}

}  // namespace torvik::bands

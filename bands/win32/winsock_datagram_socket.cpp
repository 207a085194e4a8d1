#include "bands/win32/winsock_datagram_socket.h"

#include <cstring>
#include <vector>

namespace torvik::win32 {

WinsockDatagramSocket::WinsockDatagramSocket() = default;

WinsockDatagramSocket::~WinsockDatagramSocket() {
    Close();
}

bool WinsockDatagramSocket::Listen(const bands::SourceAddress& address) {
    Close();
    if (!winsock_.started() || window_ == nullptr) return false;
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET) return false;
    const BOOL yes = TRUE;
    setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes),
               sizeof yes);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(address.port);
    std::memcpy(&local.sin_addr, address.octets, sizeof address.octets);
    if (bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        WSAAsyncSelect(socket_, window_, WM_BAND_DATAGRAM, FD_READ) != 0) {
        Close();
        return false;
    }
    return true;
}

void WinsockDatagramSocket::Close() {
    if (socket_ == INVALID_SOCKET) return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

void WinsockDatagramSocket::OnSocketMessage(WPARAM wParam, LPARAM, bands::PushListener& listener,
                                            bands::Millis now) {
    if (socket_ == INVALID_SOCKET || static_cast<SOCKET>(wParam) != socket_) return;
    // The largest datagram UDP carries; a longer one reports WSAEMSGSIZE and is dropped.
    static std::vector<char> buffer(65536);
    for (int i = 0; i < kMaxPerNotice && socket_ != INVALID_SOCKET; ++i) {
        sockaddr_in sender{};
        int size = sizeof sender;
        const int got = recvfrom(socket_, buffer.data(), static_cast<int>(buffer.size()), 0,
                                 reinterpret_cast<sockaddr*>(&sender), &size);
        if (got == SOCKET_ERROR) {
            if (WSAGetLastError() == WSAEMSGSIZE) continue;
            return;  // WSAEWOULDBLOCK: nothing more waits; the next one brings a new notice
        }
        std::uint8_t from[4];
        std::memcpy(from, &sender.sin_addr, sizeof from);
        listener.OnDatagram(std::string_view(buffer.data(), static_cast<std::size_t>(got)), from,
                            now);
    }
}

}  // namespace torvik::win32

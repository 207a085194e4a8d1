#include "bands/win32/winsock_rig_socket.h"

#include <cstring>

namespace torvik::win32 {
namespace {
constexpr int kReceiveBytes = 1024;
}

WinsockRigSocket::WinsockRigSocket() = default;

WinsockRigSocket::~WinsockRigSocket() {
    Close();
}

bool WinsockRigSocket::Open(const bands::SourceAddress& address) {
    Close();
    if (!winsock_.started() || window_ == nullptr) return false;
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET) return false;
    // Makes the socket non-blocking; its events come as messages from now on.
    if (WSAAsyncSelect(socket_, window_, WM_BAND_SOCKET, FD_CONNECT | FD_READ | FD_CLOSE) != 0) {
        Close();
        return false;
    }
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(address.port);
    std::memcpy(&target.sin_addr, address.octets, sizeof address.octets);
    if (connect(socket_, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
        return true;  // FD_CONNECT follows all the same
    }
    if (WSAGetLastError() != WSAEWOULDBLOCK) {
        Close();
        return false;
    }
    return true;
}

bool WinsockRigSocket::Send(std::string_view bytes) {
    if (socket_ == INVALID_SOCKET) return false;
    // A question is two bytes on an otherwise idle connection: a send that cannot take them
    // at once means a peer that reads nothing, which is as good as lost.
    const int sent = send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0);
    return sent == static_cast<int>(bytes.size());
}

void WinsockRigSocket::Close() {
    if (socket_ == INVALID_SOCKET) return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

bool WinsockRigSocket::Receive(bands::RigLink& link, bands::Millis now) {
    char buffer[kReceiveBytes];
    const int received = recv(socket_, buffer, sizeof buffer, 0);
    if (received > 0) {
        link.OnData(std::string_view(buffer, static_cast<std::size_t>(received)), now);
        return true;
    }
    return received == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK;
}

void WinsockRigSocket::OnSocketMessage(WPARAM wParam, LPARAM lParam, bands::RigLink& link,
                                       bands::Millis now) {
    if (socket_ == INVALID_SOCKET || static_cast<SOCKET>(wParam) != socket_) return;
    const int error = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam)) {
    case FD_CONNECT:
        if (error != 0) {
            link.OnConnectFailed(now);
        } else {
            link.OnConnected(now);
        }
        break;
    case FD_READ:
        if (error != 0 || !Receive(link, now)) link.OnClosed(now);
        break;
    case FD_CLOSE:
        // What the peer sent before it closed is still to be read; one read's worth is
        // enough for an answer.
        if (error == 0) Receive(link, now);
        if (socket_ != INVALID_SOCKET && static_cast<SOCKET>(wParam) == socket_) {
            link.OnClosed(now);
        }
        break;
    default:
        break;
    }
}

bands::Millis MonotonicMillis() {
    return static_cast<bands::Millis>(GetTickCount64());
}

}  // namespace torvik::win32

#pragma once
// The pushed sources' UDP socket on the window's own thread: bound with SO_REUSEADDR, its
// FD_READ notices arrive as window messages (WSAAsyncSelect), each read drains what waits.

#include <winsock2.h>
#include <windows.h>

#include "bands/push_listener.h"
#include "bands/win32/winsock_session.h"

namespace torvik::win32 {

// The datagram socket's notices to the main window, beside WM_BAND_SOCKET.
inline constexpr UINT WM_BAND_DATAGRAM = 0x2372;

class WinsockDatagramSocket final : public bands::DatagramSocket {
public:
    // Datagrams read per notice: a flood cannot hold the window's messages.
    static constexpr int kMaxPerNotice = 64;

    WinsockDatagramSocket();
    ~WinsockDatagramSocket() override;
    WinsockDatagramSocket(const WinsockDatagramSocket&) = delete;
    WinsockDatagramSocket& operator=(const WinsockDatagramSocket&) = delete;

    // The window that receives WM_BAND_DATAGRAM; set before the first Listen.
    void SetWindow(HWND window) { window_ = window; }

    bool Listen(const bands::SourceAddress& address) override;
    void Close() override;

    // A WM_BAND_DATAGRAM message: the waiting datagrams go to listener with their senders.
    void OnSocketMessage(WPARAM wParam, LPARAM lParam, bands::PushListener& listener,
                         bands::Millis now);

private:
    WinsockSession winsock_;  // the destructor closes the socket before Winsock ends
    HWND window_ = nullptr;
    SOCKET socket_ = INVALID_SOCKET;
};

}  // namespace torvik::win32

#pragma once
// The frequency source's connection on the window's own thread: a non-blocking Winsock socket
// whose events arrive as window messages (WSAAsyncSelect), and a window timer that wakes the
// link when it is due. Nothing here blocks the window, its hotkeys or the remote messages.

#include <winsock2.h>
#include <windows.h>

#include <string_view>

#include "bands/rig_link.h"
#include "bands/win32/winsock_session.h"

namespace torvik::win32 {

// The socket's notices and the timer of the main window; apart from the remote-control
// numbers, which other programs use.
inline constexpr UINT WM_BAND_SOCKET = 0x2370;
inline constexpr UINT_PTR kBandTimerId = 0x2371;

class WinsockRigSocket final : public bands::RigSocket {
public:
    WinsockRigSocket();
    ~WinsockRigSocket() override;
    WinsockRigSocket(const WinsockRigSocket&) = delete;
    WinsockRigSocket& operator=(const WinsockRigSocket&) = delete;

    // The window that receives WM_BAND_SOCKET; set before the first Open.
    void SetWindow(HWND window) { window_ = window; }

    bool Open(const bands::SourceAddress& address) override;
    bool Send(std::string_view bytes) override;
    void Close() override;

    // A WM_BAND_SOCKET message, told to link. Notices of a socket already closed are dropped.
    void OnSocketMessage(WPARAM wParam, LPARAM lParam, bands::RigLink& link, bands::Millis now);

private:
    // Reads what one FD_READ offers; false when the connection ended or failed.
    bool Receive(bands::RigLink& link, bands::Millis now);

    WinsockSession winsock_;  // the destructor closes the socket before Winsock ends
    HWND window_ = nullptr;
    SOCKET socket_ = INVALID_SOCKET;
};

bands::Millis MonotonicMillis();

}  // namespace torvik::win32

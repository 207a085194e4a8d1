#pragma once
// Band following in the Windows main window: the socket's notices, the band timer and
// torvikctl's WM_COPYDATA arrive here as the window's messages and go to the core's
// BandSession; what the session decides (timer, status line, dialog) is carried out here.

#include <winsock2.h>
#include <windows.h>

#include <optional>
#include <string>

#include "app/band_session.h"
#include "bands/win32/winsock_datagram_socket.h"
#include "bands/win32/winsock_rig_socket.h"

namespace torvik::win32 {

class BandWindow final : public BandView {
public:
    BandWindow(SwitchController& controller, SettingsStore& settings);
    BandWindow(const BandWindow&) = delete;
    BandWindow& operator=(const BandWindow&) = delete;

    // The main window, once it exists.
    void Attach(HWND window);
    // WM_BAND_SOCKET, WM_BAND_DATAGRAM, the band timer and torvikctl's WM_COPYDATA; false for
    // any other message.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    BandSession& Session() { return session_; }

    void ArmBandTimer(std::optional<bands::Millis> waitMs) override;
    void AddBandLine() override;
    void SetBandLineText(const std::string& status) override;
    void RemoveBandLine() override;
    void ShowNoBoxNotice() override;
    void RunBandsDialog(bands::BandFollowing& following) override;

private:
    LRESULT OnCopyData(WPARAM wParam, const COPYDATASTRUCT& data);
    // Grows or shrinks the window's height by delta pixels, in place.
    void GrowWindow(int delta);

    WinsockRigSocket socket_;   // before the session, which closes it on its end
    WinsockDatagramSocket datagrams_;  // likewise
    BandSession session_;
    HWND window_ = nullptr;
    HWND statusLine_ = nullptr;
    int addedHeight_ = 0;
};

}  // namespace torvik::win32

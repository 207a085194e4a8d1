#pragma once
// Band following in the main window: the socket, the timer and the torvikctl requests arrive
// here as the window's messages; the status goes to a line under the window's controls (added
// only while following is on, so the window is unchanged otherwise) and to the window, which
// puts it into the tray tip.

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>

#include "bands/band_following.h"
#include "bands/win32/winsock_rig_socket.h"

namespace torvik {
class SettingsStore;
class SwitchController;
}

namespace torvik::win32 {

class BandWindow {
public:
    // onStatus hears every change of the status text ("" while following is off).
    BandWindow(SwitchController& controller, SettingsStore& settings,
               std::function<void(const std::string&)> onStatus);
    ~BandWindow();
    BandWindow(const BandWindow&) = delete;
    BandWindow& operator=(const BandWindow&) = delete;

    // The main window, once it exists.
    void Attach(HWND window);
    // After every settings load: the plan of the box now present (or none).
    void Reload();
    // WM_BAND_SOCKET, the band timer and torvikctl's WM_COPYDATA; false for any other message.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The "Band following" dialog over the main window (only with a box).
    void OpenDialog();
    // Stops following: the connection closes and the timer ends.
    void Stop();

    const bands::BandFollowing& Following() const { return following_; }

private:
    // After anything the link may have acted on: the timer for its next step and the status.
    void Settle();
    void ShowStatus(const std::string& status);
    LRESULT OnCopyData(WPARAM wParam, const COPYDATASTRUCT& data);

    SwitchController& controller_;
    WinsockRigSocket socket_;
    bands::BandFollowing following_;
    std::function<void(const std::string&)> onStatus_;
    HWND window_ = nullptr;
    HWND statusLine_ = nullptr;
    int addedHeight_ = 0;
    std::string shownStatus_;
};

}  // namespace torvik::win32

#include "app/win32/band_window.h"

#include "app/win32/copydata_reply.h"
#include "platform/win32/wide_text.h"
#include "app/win32/window_messages.h"
#include "bands/dialog_input.h"
#include "bands/win32/bands_dlg.h"
#include "platform/win32/window.h"

namespace torvik::win32 {
namespace {

constexpr int kStatusLineId = 1041;

}  // namespace

BandWindow::BandWindow(SwitchController& controller, SettingsStore& settings)
    : session_(controller, socket_, datagrams_, *this, settings, MonotonicMillis) {}

void BandWindow::Attach(HWND window) {
    window_ = window;
    socket_.SetWindow(window);
    datagrams_.SetWindow(window);
}

bool BandWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_BAND_SOCKET) {
        socket_.OnSocketMessage(wParam, lParam, session_.Link(), session_.Now());
        session_.OnSocketEvent();
        result = 0;
        return true;
    }
    if (message == WM_BAND_DATAGRAM) {
        datagrams_.OnSocketMessage(wParam, lParam, session_.Listener(), session_.Now());
        session_.OnSocketEvent();
        result = 0;
        return true;
    }
    if (message == WM_TIMER && wParam == kBandTimerId) {
        session_.OnTimer();
        result = 0;
        return true;
    }
    if (message == WM_COPYDATA && lParam != 0) {
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data.dwData != msg::kBandsRequestTag) return false;
        result = OnCopyData(wParam, data);
        return true;
    }
    return false;
}

LRESULT BandWindow::OnCopyData(WPARAM wParam, const COPYDATASTRUCT& data) {
    const bands::BandsReply reply =
        data.cbData > 0 && data.lpData == nullptr
            ? bands::RequestTooLong()
            : session_.Command(std::string_view(static_cast<const char*>(data.lpData),
                                                data.cbData));
    SendReplyText(reinterpret_cast<HWND>(wParam), window_, reply.text);
    return msg::kBandsReplyHandled + reply.code;
}

void BandWindow::ArmBandTimer(std::optional<bands::Millis> waitMs) {
    if (window_ == nullptr) return;
    if (waitMs) {
        SetTimer(window_, kBandTimerId, static_cast<UINT>(*waitMs), nullptr);
    } else {
        KillTimer(window_, kBandTimerId);
    }
}

void BandWindow::AddBandLine() {
    if (window_ == nullptr) return;
    RECT units{bands::kStatusMarginUnits, 0, 0, bands::kStatusLineUnits};
    MapDialogRect(window_, &units);
    RECT client;
    GetClientRect(window_, &client);
    statusLine_ = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_LEFT |
                                      SS_CENTERIMAGE | SS_NOPREFIX | SS_ENDELLIPSIS,
                                  units.left, client.bottom, client.right - 2 * units.left,
                                  units.bottom, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusLineId)),
                                  ResourceInstance(), nullptr);
    if (statusLine_ == nullptr) return;
    SendMessageA(statusLine_, WM_SETFONT, SendMessageA(window_, WM_GETFONT, 0, 0), FALSE);
    addedHeight_ = units.bottom;
    GrowWindow(addedHeight_);
}

void BandWindow::SetBandLineText(const std::string& status) {
    // The lock's part may name antennas beyond ASCII.
    if (statusLine_ != nullptr) SetWindowTextW(statusLine_, WideFromUtf8(status).c_str());
}

void BandWindow::RemoveBandLine() {
    if (statusLine_ == nullptr) return;
    DestroyWindow(statusLine_);
    statusLine_ = nullptr;
    GrowWindow(-addedHeight_);
    addedHeight_ = 0;
}

void BandWindow::GrowWindow(int delta) {
    RECT frame;
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + delta, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BandWindow::ShowNoBoxNotice() {
    MessageBoxA(window_, bands::kNoBoxText, bands::kNoBoxCaption, MB_OK | MB_ICONINFORMATION);
}

void BandWindow::RunBandsDialog(bands::BandFollowing& following) {
    CBandsDlg dialog(following, window_);
    dialog.DoModal();
}

}  // namespace torvik::win32

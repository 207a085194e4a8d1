#include "app/win32/band_window.h"

#include <cstring>

#include "app/switch_controller.h"
#include "app/win32/copydata_reply.h"
#include "bands/dialog_input.h"
#include "bands/win32/bands_dlg.h"
#include "platform/win32/window.h"

namespace torvik::win32 {
namespace {

using bands::kStatusLineUnits;
using bands::kStatusMarginUnits;
constexpr int kStatusLineId = 1041;

}  // namespace

BandWindow::BandWindow(SwitchController& controller, std::string iniPath,
                       std::function<void(const std::string&)> onStatus)
    : controller_(controller),
      following_(socket_,
                 [this](std::uint32_t mask) { bands::ApplyRuleMask(controller_, mask); },
                 std::move(iniPath)),
      onStatus_(std::move(onStatus)) {}

BandWindow::~BandWindow() {
    Stop();
}

void BandWindow::Attach(HWND window) {
    window_ = window;
    socket_.SetWindow(window);
}

void BandWindow::Reload() {
    following_.UseBox(bands::PresentBoxSerial(controller_), MonotonicMillis());
    Settle();
}

void BandWindow::Stop() {
    following_.follower().Disable();
    if (window_ != nullptr) KillTimer(window_, kBandTimerId);
}

bool BandWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_BAND_SOCKET) {
        socket_.OnSocketMessage(wParam, lParam, following_.follower().link(), MonotonicMillis());
        Settle();
        result = 0;
        return true;
    }
    if (message == WM_TIMER && wParam == kBandTimerId) {
        following_.follower().link().Tick(MonotonicMillis());
        Settle();
        result = 0;
        return true;
    }
    if (message == WM_COPYDATA && lParam != 0) {
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data.dwData != bands::kBandsRequestTag) return false;
        result = OnCopyData(wParam, data);
        return true;
    }
    return false;
}

LRESULT BandWindow::OnCopyData(WPARAM wParam, const COPYDATASTRUCT& data) {
    bands::BandsReply reply;
    if (data.cbData > bands::kMaxRequestBytes || (data.cbData > 0 && data.lpData == nullptr)) {
        reply = {bands::kReplyUsage, "request too long\n"};
    } else {
        const std::string_view request(static_cast<const char*>(data.lpData), data.cbData);
        reply = following_.Command(request, MonotonicMillis());
        Settle();
    }
    SendReplyText(reinterpret_cast<HWND>(wParam), window_, reply.text);
    return bands::kReplyHandled + reply.code;
}

void BandWindow::OpenDialog() {
    if (!following_.HasBox()) {
        MessageBoxA(window_, bands::kNoBoxText, bands::kNoBoxCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CBandsDlg dialog(following_, window_);
    dialog.DoModal();
    Settle();
}

void BandWindow::Settle() {
    if (window_ == nullptr) return;
    ArmBandTimer(window_, following_.follower().link(), MonotonicMillis());
    ShowStatus(following_.follower().StatusText());
}

void BandWindow::ShowStatus(const std::string& status) {
    if (status == shownStatus_) return;
    shownStatus_ = status;
    if (onStatus_) onStatus_(status);
    if (status.empty()) {
        // Following is off: the window goes back to the size of its template.
        if (statusLine_ != nullptr) {
            DestroyWindow(statusLine_);
            statusLine_ = nullptr;
            RECT frame;
            GetWindowRect(window_, &frame);
            SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left,
                         frame.bottom - frame.top - addedHeight_,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            addedHeight_ = 0;
        }
        return;
    }
    if (statusLine_ == nullptr) {
        // A line under every control of the template: the window grows, nothing moves.
        RECT units{kStatusMarginUnits, 0, 0, kStatusLineUnits};
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
        RECT frame;
        GetWindowRect(window_, &frame);
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + addedHeight_,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowTextA(statusLine_, status.c_str());
}

}  // namespace torvik::win32

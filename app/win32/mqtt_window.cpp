#include "app/win32/mqtt_window.h"

#include "app/win32/mqtt_dialog.h"
#include "app/win32/window_messages.h"

namespace torvik::win32 {

MqttWindow::MqttWindow(SwitchController& controller, SettingsStore& settings, BandSession& bands)
    : controller_(controller),
      bands_(bands),
      link_([this] {
          // On the link's thread: the session runs on the window's, when the message arrives.
          if (HWND window = window_.load()) PostMessageA(window, msg::kMqttEvents, 0, 0);
      }),
      session_(controller, settings, link_, *this) {}

void MqttWindow::Attach(HWND window) { window_.store(window); }

bool MqttWindow::HandleMessage(UINT message) {
    if (message == msg::kMqttEvents) {
        session_.OnLinkEvents();
        return true;
    }
    if (message == msg::kMqttRefresh) {
        refreshPosted_ = false;
        session_.Refresh();
        return true;
    }
    return false;
}

void MqttWindow::NoteStateShown() {
    HWND window = window_.load();
    if (refreshPosted_ || window == nullptr) return;
    refreshPosted_ = PostMessageA(window, msg::kMqttRefresh, 0, 0) != FALSE;
}

void MqttWindow::OpenDialog(HWND owner) {
    CMqttDlg dialog(session_, owner);
    dialog.DoModal();
}

void MqttWindow::ShowMqttStatus(const std::string& text) {
    bands_.ShowMqttLine(text);
    controller_.ShowMqttStatus(text);
}

}  // namespace torvik::win32

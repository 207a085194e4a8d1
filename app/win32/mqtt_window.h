#pragma once
// MQTT in the Windows main window: the libmosquitto link, whose thread wakes the window with a
// posted WM_MQTT_EVENTS, and the core's MqttSession, which decides everything; the status goes
// to the window's line and the tray tip, the "MQTT" dialog edits the settings.

#include <windows.h>

#include <atomic>
#include <string>

#include "app/band_session.h"
#include "app/switch_controller.h"
#include "mqtt/mosquitto_link.h"
#include "mqtt/mqtt_session.h"

namespace torvik::win32 {

class MqttWindow final : public mqtt::StatusView {
public:
    MqttWindow(SwitchController& controller, SettingsStore& settings, BandSession& bands);
    MqttWindow(const MqttWindow&) = delete;
    MqttWindow& operator=(const MqttWindow&) = delete;

    // The main window, once it exists: the link's wake and the refresh notes go there.
    void Attach(HWND window);
    // WM_MQTT_EVENTS and WM_MQTT_REFRESH; false for any other message.
    bool HandleMessage(UINT message);
    // The box's state may have changed: one refresh is posted, to run after the change is done.
    void NoteStateShown();
    // The "MQTT" dialog, modal over owner.
    void OpenDialog(HWND owner);

    mqtt::MqttSession& Session() { return session_; }

    void ShowMqttStatus(const std::string& text) override;

private:
    SwitchController& controller_;
    BandSession& bands_;
    std::atomic<HWND> window_{nullptr};   // read on the link's thread
    bool refreshPosted_ = false;
    mqtt::MosquittoLink link_;
    mqtt::MqttSession session_;
};

}  // namespace torvik::win32

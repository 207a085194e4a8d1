#pragma once
// MQTT in the Qt main window: the libmosquitto link's thread wakes the window's thread with a
// queued invocation, and the core's MqttSession does the rest; this object shows its status on
// the main window's line and tray tip, and runs the "MQTT" dialog.
#include <QObject>
#include <QWidget>

#include "app/band_session.h"
#include "app/switch_controller.h"
#include "mqtt/mosquitto_link.h"
#include "mqtt/mqtt_session.h"

namespace torvik::qt {

class MqttWindow final : public QObject, public mqtt::StatusView {
public:
    MqttWindow(SwitchController& controller, SettingsStore& settings, BandSession& bands,
               QWidget& window);

    mqtt::MqttSession& Session() { return session_; }
    void ShowMqttStatus(const std::string& text) override;
    // The tray's "MQTT": the settings dialog over the main window.
    void OpenDialog();

private:
    SwitchController& controller_;
    BandSession& bands_;
    QWidget& window_;
    mqtt::MosquittoLink link_;   // before the session, which holds it; its thread ends last
    mqtt::MqttSession session_;
};

}  // namespace torvik::qt

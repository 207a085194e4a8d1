#pragma once
// MainWindow: the Qt edition's main window, built from the resource script's template, owning the
// controller and carrying out what it decides. Every rule is the controller's; this class only
// turns clicks, keys, tray events, grabbed keys and device notices into its calls.
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QSystemTrayIcon>
#include <QTimer>

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/linux/qt/band_window.h"
#include "app/linux/qt/mqtt_window.h"
#include "app/switch_controller.h"
#include "controls/dialog_template.h"
#include "controls/linux/qt/skinned_button.h"
#include "controls/linux/qt/template_widgets.h"

namespace torvik::qt {

// What the setup and band dialogs need besides the box: their layouts, the stores they edit.
struct SetupContext {
    const DialogTemplate& layout;
    AutostartStore& autostart;
    const DialogTemplate& bandsLayout;
};

class MainWindow final : public QDialog {
    Q_OBJECT
public:
    // The objects behind the controller's seams stay the caller's and must outlive the window.
    MainWindow(const DialogTemplate& layout, BoxLink& driver, SettingsStore& settings,
               HotkeyRegistrar& hotkeys, FocusQuery& focus, SetupContext setup);
    ~MainWindow() override;

    SwitchController& Controller() { return controller_; }
    // The end of the window's initialisation: the tray icon, then the controller's Start.
    void Start(bool hidden);
    // The source of device notices, released when the controller ends them.
    void SetDeviceNotices(std::unique_ptr<QObject> notices);
    // The session ends: band following stops, then the box drops its running bit.
    void Shutdown();
    // A torvikctl bands request (the words as JoinWords made them) and its reply.
    bands::BandsReply BandsCommand(std::string_view request);
    // A torvikctl station request (names, lock, mqtt, ...) and its reply.
    bands::BandsReply StationCommand(std::string_view request);

signals:
    // The buttons' checked states or the link status were shown anew: the antenna state or
    // the box's presence may have changed. Sent once the event at hand is done.
    void StateShown();

public slots:
    // A command id from a button or the tray menu.
    void OnCommand(int id);

protected:
    void reject() override;          // Escape
    void accept() override;          // Enter
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class View;
    void BuildControls(const DialogTemplate& layout);
    void OnTrayActivated(QSystemTrayIcon::ActivationReason reason);

    TemplateWidgets widgets_;
    QLabel* statusText_ = nullptr;
    QSystemTrayIcon tray_;
    QTimer recheck_;
    QTimer trayWait_;
    QElapsedTimer clock_;
    std::unique_ptr<QObject> deviceNotices_;
    SettingsStore& settings_;
    SetupContext setup_;
    std::unique_ptr<View> view_;
    SwitchController controller_;
    std::unique_ptr<BandWindow> bands_;
    std::unique_ptr<MqttWindow> mqtt_;
    bool ending_ = false;
    bool stateNoticePending_ = false;
    void NoteStateShown();
};

}  // namespace torvik::qt

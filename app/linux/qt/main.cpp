// torvik: the Linux program. Reads the main window's layout from the embedded resource script,
// settings from $XDG_CONFIG_HOME/torvik/Torvik.ini, and drives the simulated box when
// TORVIK_SIM_DEVICES names its devices file.
#include <xcb/xcb.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/linux/bus_names.h"
#include "app/linux/qt/bus_service.h"
#include "app/linux/qt/devices_file_watch.h"
#include "app/linux/qt/key_grabs.h"
#include "app/linux/qt/resource_script.h"
#include "app/linux/qt/show_requests.h"
#include "app/linux/qt/signal_quit.h"
#include "app/linux/qt/switch_window.h"
#include "app/linux/qt/udev_notices.h"
#include "app/linux/window_properties.h"
#include "app/linux/xcb_focus.h"
#include "app/linux/xcb_title_walk.h"
#include "app/start_options.h"
#include "core/linux/xdg_config.h"
#include "core/settings.h"
#include "device/linux/ftdi_link.h"
#include "setup/linux/xdg_autostart.h"
#include "device/sim_devices_file.h"
#include "device/sim_driver.h"

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// This program's absolute path, for the autostart entry.
std::string ProgramPath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

int Fail(const char* message) {
    std::fprintf(stderr, "torvik: %s\n", message);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Key grabs and the focused program need X: under Wayland the program runs on XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // The window class the title walk knows this program by, whatever the file is called.
    QCoreApplication::setApplicationName(QString::fromLatin1(torvik::x11::kProgramClass));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    std::string commandTail;
    for (int i = 1; i < argc; ++i) {
        commandTail += std::string(i > 1 ? " " : "") + argv[i];
    }

    const auto layout =
        torvik::ParseDialogTemplate(torvik::qt::kResourceScript, torvik::qt::kResourceHeader,
                                    "IDD_TORVIK_DIALOG");
    const auto setupLayout =
        torvik::ParseDialogTemplate(torvik::qt::kResourceScript, torvik::qt::kResourceHeader,
                                    "IDD_SETUP_DIALOG");
    const auto bandsLayout =
        torvik::ParseDialogTemplate(torvik::qt::kResourceScript, torvik::qt::kResourceHeader,
                                    "IDD_BANDS_DIALOG");
    if (!layout || !setupLayout || !bandsLayout) {
        return Fail("the dialog layouts could not be read");
    }
    const auto configHome = torvik::ConfigHomeOfUser();
    if (!configHome) {
        return Fail("no settings folder: set HOME or XDG_CONFIG_HOME");
    }
    torvik::IniSettings settings(torvik::SettingsFolder(*configHome));
    torvik::XdgAutostart autostart(*configHome, ProgramPath());

    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return Fail("an X11 display is needed");
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const char* simDevices = std::getenv("TORVIK_SIM_DEVICES");
    std::unique_ptr<torvik::BoxLink> driver;
    if (simDevices != nullptr) {
        driver = std::make_unique<torvik::sim::LoggedSimLink>(simDevices,
                                                                 Environment("TORVIK_SIM_LOG"));
    } else {
        driver = std::make_unique<torvik::FtdiLink>();
    }

    torvik::qt::MainWindow* window = nullptr;
    torvik::qt::XcbKeyGrabs grabs(connection, root, [&window](std::int32_t id) {
        if (window != nullptr) {
            window->Controller().Execute(torvik::Command{torvik::Verb::Hotkey, 0, id});
        }
    });
    app.installNativeEventFilter(&grabs);
    torvik::XcbFocusQuery focus(connection, root);

    // Owning the bus name is the single-instance lock: a second copy asks the first to show
    // itself and ends before it touches the box. Without a session bus the title walk finds a
    // running copy's main window instead; when none is found this copy runs.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString serviceName = QString::fromLatin1(torvik::bus::kServiceName);
    if (bus.isConnected() && !bus.registerService(serviceName)) {
        const QDBusMessage show = QDBusMessage::createMethodCall(
            serviceName, QString::fromLatin1(torvik::bus::kObjectPath),
            QString::fromLatin1(torvik::bus::kInterface), QStringLiteral("Show"));
        bus.call(show, QDBus::Block, 5000);
        return 0;
    }
    if (!bus.isConnected()) {
        if (const auto running = torvik::x11::FindMainWindow(connection, root);
            running && torvik::x11::RequestShow(connection, *running)) {
            return 0;
        }
    }

    torvik::qt::MainWindow dialog(*layout, *driver, settings, grabs, focus,
                                  torvik::qt::SetupContext{*setupLayout, autostart, *bandsLayout});
    window = &dialog;
    // The window exists from the start, hidden or not, so that the title walk can find it.
    dialog.winId();
    torvik::qt::ShowRequests showRequests(
        connection, [&dialog] { dialog.Controller().Execute(torvik::Command{torvik::Verb::Show}); });
    app.installNativeEventFilter(&showRequests);
    torvik::qt::BusService service(
        dialog.Controller(),
        [&dialog](std::string_view request) { return dialog.BandsCommand(request); },
        [&dialog](std::string_view request) { return dialog.StationCommand(request); });
    if (bus.isConnected()) {
        bus.registerObject(QString::fromLatin1(torvik::bus::kObjectPath), &service,
                           QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
        QObject::connect(&dialog, &torvik::qt::MainWindow::StateShown, &service,
                         &torvik::qt::BusService::CheckState);
    }
    if (simDevices != nullptr) {
        dialog.SetDeviceNotices(std::make_unique<torvik::qt::DevicesFileWatch>(
            simDevices, torvik::sim::ReadDevicesText(simDevices),
            [&dialog] { dialog.Controller().OnDeviceNotice(); }));
    } else {
        dialog.SetDeviceNotices(std::make_unique<torvik::qt::UdevNotices>(
            [&dialog] { dialog.Controller().OnDeviceNotice(); }));
    }
    // The session's end and a termination signal end the program as Exit does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &dialog,
                     [&dialog] { dialog.Shutdown(); });
    torvik::qt::SignalQuit quitOnSignal({SIGTERM, SIGINT, SIGHUP},
                                        [&dialog] { dialog.Controller().Exit(); });

    dialog.Start(torvik::HasHideWord(commandTail));
    const int code = QApplication::exec();
    window = nullptr;
    app.removeNativeEventFilter(&showRequests);
    app.removeNativeEventFilter(&grabs);
    return code;
}

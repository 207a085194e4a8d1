#include "app/linux/qt/switch_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

#include <array>
#include <vector>

#include "app/linux/qt/antenna_rename.h"
#include "app/linux/qt/setup_window.h"
#include "app/main_window_look.h"

namespace torvik::qt {
namespace {

QImage LoadImage(const char* path, bool magentaTransparent) {
    QImage image(QString::fromLatin1(path));
    if (image.isNull() || !magentaTransparent) {
        return image;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFFu) == 0xFF00FFu) {
                row[x] = 0;
            }
        }
    }
    return image;
}


// The manual installed beside the program (<prefix>/share/doc/torvik/manual), else the one the
// build assembled.
QString ManualPage() {
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../share/doc/torvik/manual/index.html");
    return QFileInfo::exists(installed) ? QFileInfo(installed).canonicalFilePath()
                                        : QStringLiteral(TORVIK_BUILD_MANUAL);
}

TrayMouse TrayMouseOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger: return TrayMouse::kLeftDown;
    case QSystemTrayIcon::Context: return TrayMouse::kRightDown;
    case QSystemTrayIcon::DoubleClick: return TrayMouse::kLeftDoubleClick;
    default: return TrayMouse::kOther;
    }
}

}  // namespace

class MainWindow::View final : public SwitchView {
public:
    explicit View(MainWindow& window) : w_(window) {}

    void ShowControl(int controlId, bool show) override {
        if (QWidget* control = Control(controlId)) {
            control->setVisible(show);
        }
    }
    void EnableControl(int controlId, bool enable) override {
        if (QWidget* control = Control(controlId)) {
            control->setEnabled(enable);
        }
    }
    void SetChecked(int controlId, int state) override {
        if (SkinnedButton* button = w_.widgets_.Button(controlId)) {
            button->SetChecked(state);
        }
        w_.NoteStateShown();
    }
    void LayoutAntennaRow() override {
        const std::array<int, 3> row{ids::AntennaButton(0), ids::AntennaButton(1),
                                     ids::AntennaButton(2)};
        LayoutButtonRow(w_.widgets_, row, kAntennaRowGap);
    }
    void Show(bool toFront) override {
        if (w_.isMinimized()) {
            w_.showNormal();
        } else {
            w_.show();
        }
        if (toFront) {
            w_.raise();
            w_.activateWindow();
        }
    }
    void Hide() override {
        // Without a tray the user would have no way back: the window is minimised instead.
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            w_.hide();
        } else {
            w_.showMinimized();
        }
    }
    void EndProgram() override {
        w_.ending_ = true;
        // Leaves every event loop, a message box's or the setup dialog's included.
        QApplication::exit(0);
    }
    void StopBandFollowing() override {
        if (w_.bands_) w_.bands_->Session().Stop();
    }
    void ShowError(const char* text, const char* caption) override {
        QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(caption),
                        QString::fromLatin1(text), QMessageBox::Ok, &w_);
        box.exec();
    }
    void ShowTrayMenu(const std::vector<TrayMenuItem>& items) override {
        QMenu menu;
        for (const TrayMenuItem& item : items) {
            QAction* action = menu.addAction(QString::fromStdString(item.text));
            action->setData(item.command);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
        }
        if (QAction* chosen = menu.exec(QCursor::pos())) {
            // As a posted command, after the menu has closed.
            QMetaObject::invokeMethod(&w_, "OnCommand", Qt::QueuedConnection,
                                      Q_ARG(int, chosen->data().toInt()));
        }
    }
    void WaitForSecondPress(bool on) override {
        if (on) {
            w_.trayWait_.start(QApplication::doubleClickInterval());
        } else {
            w_.trayWait_.stop();
        }
    }
    SetupEnd RunSetup(const DeviceNode& box, const ConfigBlock& inEffect) override {
        SetupWindow dialog(w_.setup_.layout, std::span<const char>(box.serial), w_.settings_, w_.setup_.autostart,
                         inEffect, &w_);
        return dialog.Run();
    }
    void SettingsLoaded() override {
        if (w_.bands_) w_.bands_->Session().Reload();
        if (w_.mqtt_) w_.mqtt_->Session().Reload();
    }
    void RemoveTrayIcon() override { w_.tray_.hide(); }
    void EndDeviceNotices() override { w_.deviceNotices_.reset(); }
    void ShowLinkStatus(const char* statusText) override {
        if (w_.statusText_ != nullptr) {
            w_.statusText_->setText(QString::fromLatin1(statusText));
        }
        w_.NoteStateShown();
    }
    void ShowAntennaNames(const AntennaNames& names) override {
        ShowAntennaCaptions(w_.widgets_, names);
        w_.NoteStateShown();
    }
    void SetTrayTip(const std::string& tip) override {
        w_.tray_.setToolTip(QString::fromStdString(tip));   // names are UTF-8
        w_.NoteStateShown();   // band following's status may have changed
    }
    void StartRecheck(std::uint32_t intervalMs) override {
        w_.recheck_.start(static_cast<int>(intervalMs));
    }
    void StopRecheck() override { w_.recheck_.stop(); }
    void ShowLockLine(const std::string& text) override {
        if (w_.bands_) w_.bands_->Session().ShowLockLine(text);
        w_.NoteStateShown();
    }

private:
    QWidget* Control(int controlId) const { return w_.widgets_.Control(controlId); }
    MainWindow& w_;
};

MainWindow::MainWindow(const DialogTemplate& layout, BoxLink& driver, SettingsStore& settings,
                       HotkeyRegistrar& hotkeys, FocusQuery& focus, SetupContext setup)
    : settings_(settings), setup_(setup), view_(std::make_unique<View>(*this)),
      controller_(driver, settings, hotkeys, focus, *view_,
                  static_cast<std::uint32_t>(QApplication::doubleClickInterval())) {
    setWindowIcon(QIcon(QStringLiteral(":/images/torvik.ico")));
    InitQtSkinResources(palette());
    BuildControls(layout);

    tray_.setIcon(QIcon(QStringLiteral(":/images/tray.ico")));
    tray_.setToolTip(QString::fromLatin1(kTrayTipName));
    connect(&tray_, &QSystemTrayIcon::activated, this, &MainWindow::OnTrayActivated);
    connect(&recheck_, &QTimer::timeout, this, [this] { controller_.OnDeviceNotice(); });
    trayWait_.setSingleShot(true);
    connect(&trayWait_, &QTimer::timeout, this, [this] { controller_.TrayWaitOver(); });
    clock_.start();
    OfferRename(widgets_, controller_, this);
    bands_ = std::make_unique<BandWindow>(controller_, settings_, *this, setup_.bandsLayout,
                                          widgets_.base);
    mqtt_ = std::make_unique<MqttWindow>(controller_, settings_, bands_->Session(), *this);
    connect(this, &MainWindow::StateShown, this, [this] { mqtt_->Session().Refresh(); });
}

MainWindow::~MainWindow() { Shutdown(); }

void MainWindow::Shutdown() {
    // "offline" goes out while the box is still driven, before the box is let go.
    mqtt_->Session().Shutdown();
    bands_->Session().Shutdown();
}

void MainWindow::BuildControls(const DialogTemplate& layout) {
    widgets_ = BuildTemplateWidgets(*this, layout);
    for (const auto& [id, button] : widgets_.buttons) {
        connect(button, &SkinnedButton::Clicked, this, &MainWindow::OnCommand);
    }
    if (const auto found = widgets_.labels.find(ids::kStatusText); found != widgets_.labels.end()) {
        statusText_ = found->second;
        statusText_->setAlignment(Qt::AlignCenter);
        statusText_->setFont(SharedQtFont(FontChoice::kLarge));
        QPalette red = statusText_->palette();
        red.setColor(QPalette::WindowText, QColor(RedOf(kStatusTextColour),
                                                  GreenOf(kStatusTextColour),
                                                  BlueOf(kStatusTextColour)));
        statusText_->setPalette(red);
    }
    if (SkinnedButton* banner = widgets_.Button(ids::kBanner)) {
        banner->look = kBannerLook;
        banner->SetImage(LoadImage(":/images/banner.bmp", false), kBannerLook.imageAlign);
    }
    if (SkinnedButton* manual = widgets_.Button(ids::kManual)) {
        manual->look = kManualLook;
        manual->SetImage(LoadImage(":/images/manual.bmp", true), kManualLook.imageAlign);
    }
}

void MainWindow::Start(bool hidden) {
    controller_.StartHidden(hidden);
    tray_.show();
    controller_.Start();
    mqtt_->Session().Start();
}

void MainWindow::SetDeviceNotices(std::unique_ptr<QObject> notices) {
    deviceNotices_ = std::move(notices);
}

bands::BandsReply MainWindow::BandsCommand(std::string_view request) {
    return bands_->Session().Command(request);
}

bands::BandsReply MainWindow::StationCommand(std::string_view request) {
    return mqtt::RunStationOrMqtt(controller_, &mqtt_->Session(), request);
}

void MainWindow::OnCommand(int id) {
    switch (id) {
    case ids::kSwitchRadio: controller_.SetSwitchMode(); return;
    case ids::kMixerRadio: controller_.SetMixerMode(); return;
    case ids::kSetup: controller_.Setup(); return;
    case ids::kManual: QDesktopServices::openUrl(QUrl::fromLocalFile(ManualPage())); return;
    case ids::kExit: controller_.Exit(); return;
    case ids::kOk: controller_.Ok(); return;
    case ids::kOpenDialog: controller_.OpenDialog(); return;
    case ids::kBandFollowing: bands_->Session().OpenDialog(); return;
    case ids::kStormLock: controller_.ToggleLock(); return;
    case ids::kMqtt: mqtt_->OpenDialog(); return;
    default: break;
    }
    for (int antenna = 0; antenna < 3; ++antenna) {
        if (id == ids::AntennaButton(antenna)) {
            controller_.AntennaAction(antenna);
        }
    }
}

void MainWindow::NoteStateShown() {
    if (stateNoticePending_) {
        return;
    }
    stateNoticePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            stateNoticePending_ = false;
            emit StateShown();
        },
        Qt::QueuedConnection);
}

void MainWindow::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    // The clock wraps as the controller expects of message times.
    controller_.TrayEvent(TrayMouseOf(reason), static_cast<std::uint32_t>(clock_.elapsed()));
}

void MainWindow::reject() { controller_.Cancel(); }

void MainWindow::accept() { controller_.Ok(); }

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        controller_.Ok();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    event->ignore();
    controller_.Cancel();
}

}  // namespace torvik::qt

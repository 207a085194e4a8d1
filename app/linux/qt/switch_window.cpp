#include "app/linux/qt/switch_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

#include <array>
#include <vector>

#include "app/main_window_look.h"
#include "controls/row_layout.h"

namespace torvik::qt {
namespace {

// While a device is held by another program, the list is looked at this often.
constexpr int kRecheckIntervalMs = 2000;
// The dialog font's pixel size at 96 dots per inch.
int PixelSizeOfPoints(int points) { return (points * 96 + 36) / 72; }

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

void ApplyLook(MyButton& button, const ButtonLook& look) {
    button.imageAlign = look.imageAlign;
    button.lookStyle = look.lookStyle;
    button.frameStyle = look.frameStyle;
    button.fontChoice = look.fontChoice;
}

// A button as the row layout sees it.
class RowButton final : public LayoutWindow {
public:
    explicit RowButton(MyButton& button) : button_(button) {}
    int MeasureCaptionInBold() const override {
        return QFontMetrics(SharedQtFont(FontChoice::kBold)).horizontalAdvance(button_.Caption());
    }
    void MoveAndSize(int x, int y, int width, int height) override {
        button_.setGeometry(x, y, width, height);
    }

private:
    MyButton& button_;
};

TrayMouse TrayMouseOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger: return TrayMouse::kLeftDown;
    case QSystemTrayIcon::Context: return TrayMouse::kRightDown;
    case QSystemTrayIcon::DoubleClick: return TrayMouse::kLeftDoubleClick;
    default: return TrayMouse::kOther;
    }
}

}  // namespace

class CSwitchDlg::View final : public SwitchView {
public:
    explicit View(CSwitchDlg& window) : w_(window) {}

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
        if (const auto found = w_.buttons_.find(controlId); found != w_.buttons_.end()) {
            found->second->SetChecked(state);
        }
        w_.NoteStateShown();
    }
    void LayoutAntennaRow() override {
        std::array<MyButton*, 3> row{};
        for (int i = 0; i < 3; ++i) {
            const auto found = w_.buttons_.find(ids::AntennaButton(i));
            if (found == w_.buttons_.end()) {
                return;
            }
            row[static_cast<std::size_t>(i)] = found->second;
        }
        const QRect first = row.front()->geometry();
        const QRect last = row.back()->geometry();
        const Rect area{first.left(), first.top(), last.right() + 1, first.bottom() + 1};
        std::vector<RowButton> adapters;
        adapters.reserve(row.size());
        for (MyButton* button : row) {
            adapters.emplace_back(*button);
        }
        std::vector<LayoutWindow*> views;
        for (RowButton& adapter : adapters) {
            views.push_back(&adapter);
        }
        LayoutRow(area, views, static_cast<int>(views.size()), kAntennaRowGap);
    }
    void ShowWindow(bool toFront) override {
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
    void HideWindow() override {
        // Without a tray the user would have no way back: the window is minimised instead.
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            w_.hide();
        } else {
            w_.showMinimized();
        }
    }
    void EndDialog() override {
        w_.ending_ = true;
        // Leaves every event loop, a message box's or the setup dialog's included.
        QApplication::exit(0);
    }
    void ShowError(const char* text, const char* caption) override {
        QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(caption),
                        QString::fromLatin1(text), QMessageBox::Ok, &w_);
        box.exec();
    }
    void ShowTrayMenu(const std::vector<TrayMenuItem>& items) override {
        QMenu menu;
        for (const TrayMenuItem& item : items) {
            QAction* action = menu.addAction(QString::fromLatin1(item.text.c_str()));
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
    SetupEnd RunSetup(const DeviceNode&, const ConfigBlock&) override {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Setup"),
                        QStringLiteral("The setup dialog is not available in this edition yet. "
                                       "Torvik.ini can be prepared with the Windows program."),
                        QMessageBox::Ok, &w_);
        box.exec();
        return SetupEnd::kCancel;
    }
    void RemoveTrayIcon() override { w_.tray_.hide(); }
    void EndDeviceNotices() override { w_.deviceNotices_.reset(); }
    void ShowLinkStatus(const char* statusText, const std::string& trayTip) override {
        if (w_.statusText_ != nullptr) {
            w_.statusText_->setText(QString::fromLatin1(statusText));
        }
        w_.tray_.setToolTip(QString::fromLatin1(trayTip.c_str()));
        w_.NoteStateShown();
    }
    void ScheduleRecheck(bool on) override {
        if (on && !w_.recheck_.isActive()) {
            w_.recheck_.start(kRecheckIntervalMs);
        } else if (!on) {
            w_.recheck_.stop();
        }
    }

private:
    QWidget* Control(int controlId) const {
        const auto found = w_.controls_.find(controlId);
        return found == w_.controls_.end() ? nullptr : found->second;
    }
    CSwitchDlg& w_;
};

CSwitchDlg::CSwitchDlg(const DialogTemplate& layout, D2xxDriver& driver, SettingsStore& settings,
                       HotkeyRegistrar& hotkeys, FocusQuery& focus)
    : view_(std::make_unique<View>(*this)),
      controller_(driver, settings, hotkeys, focus, *view_,
                  static_cast<std::uint32_t>(QApplication::doubleClickInterval())) {
    setWindowTitle(QString::fromLatin1(layout.caption.c_str()));
    setWindowIcon(QIcon(QStringLiteral(":/images/torvik.ico")));
    InitQtSkinResources(palette());
    BuildControls(layout);

    tray_.setIcon(QIcon(QStringLiteral(":/images/tray.ico")));
    tray_.setToolTip(QString::fromLatin1(kTrayTipName));
    connect(&tray_, &QSystemTrayIcon::activated, this, &CSwitchDlg::OnTrayActivated);
    connect(&recheck_, &QTimer::timeout, this, [this] { controller_.OnDeviceNotice(); });
    trayWait_.setSingleShot(true);
    connect(&trayWait_, &QTimer::timeout, this, [this] { controller_.TrayWaitOver(); });
    clock_.start();
}

CSwitchDlg::~CSwitchDlg() { controller_.Shutdown(); }

void CSwitchDlg::BuildControls(const DialogTemplate& layout) {
    const QFont dialogFont =
        FontWithFallbacks(QString::fromLatin1(layout.fontFace.c_str()),
                          PixelSizeOfPoints(layout.fontPoints), false);
    setFont(dialogFont);
    const QFontMetrics metrics(dialogFont);
    const DialogBaseUnits base = BaseUnitsOf(
        metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height());
    const Rect size = DialogUnitsToPixels(layout.units, base);
    setFixedSize(size.Width(), size.Height());

    std::vector<QWidget*> groups;
    for (const DialogControl& control : layout.controls) {
        const Rect px = DialogUnitsToPixels(control.units, base);
        const QString text = QString::fromLatin1(control.text.c_str());
        QWidget* widget = nullptr;
        if (control.className == "Button" && control.HasStyle("BS_GROUPBOX")) {
            widget = new QGroupBox(text, this);
            groups.push_back(widget);
        } else if (control.className == "Button") {
            auto* button = new MyButton(control.id, text, this);
            connect(button, &MyButton::Clicked, this, &CSwitchDlg::OnCommand);
            buttons_[control.id] = button;
            widget = button;
        } else {
            auto* label = new QLabel(text, this);
            label->setAlignment(Qt::AlignCenter);
            widget = label;
            if (control.id == ids::kStatusText) {
                statusText_ = label;
                label->setFont(SharedQtFont(FontChoice::kLarge));
                QPalette red = label->palette();
                red.setColor(QPalette::WindowText,
                             QColor(RedOf(kStatusTextColour), GreenOf(kStatusTextColour),
                                    BlueOf(kStatusTextColour)));
                label->setPalette(red);
            }
        }
        widget->setGeometry(px.left, px.top, px.Width(), px.Height());
        widget->setObjectName(QString::number(control.id));
        if (control.id != -1) {
            controls_[control.id] = widget;
        }
    }
    // A group box only frames; it must not take the clicks of the buttons it surrounds.
    for (QWidget* group : groups) {
        group->lower();
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (MyButton* banner = buttons_.count(ids::kBanner) ? buttons_[ids::kBanner] : nullptr) {
        ApplyLook(*banner, kBannerLook);
        banner->SetImage(LoadImage(":/images/banner.bmp", false), kBannerLook.imageAlign);
    }
    if (MyButton* manual = buttons_.count(ids::kManual) ? buttons_[ids::kManual] : nullptr) {
        ApplyLook(*manual, kManualLook);
        manual->SetImage(LoadImage(":/images/manual.bmp", true), kManualLook.imageAlign);
    }
}

void CSwitchDlg::Start(bool hidden) {
    controller_.StartHidden(hidden);
    tray_.show();
    controller_.Start();
}

void CSwitchDlg::SetDeviceNotices(std::unique_ptr<QObject> notices) {
    deviceNotices_ = std::move(notices);
}

void CSwitchDlg::OnCommand(int id) {
    switch (id) {
    case ids::kSwitchRadio: controller_.SetSwitchMode(); return;
    case ids::kMixerRadio: controller_.SetMixerMode(); return;
    case ids::kSetup: controller_.Setup(); return;
    case ids::kManual: QDesktopServices::openUrl(QUrl(QString::fromLatin1(kManualAddress))); return;
    case ids::kExit: controller_.Exit(); return;
    case ids::kOk: controller_.Ok(); return;
    case ids::kOpenDialog: controller_.OpenDialog(); return;
    default: break;
    }
    for (int antenna = 0; antenna < 3; ++antenna) {
        if (id == ids::AntennaButton(antenna)) {
            controller_.AntennaAction(antenna);
        }
    }
}

void CSwitchDlg::NoteStateShown() {
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

void CSwitchDlg::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    // The clock wraps as the controller expects of message times.
    controller_.TrayEvent(TrayMouseOf(reason), static_cast<std::uint32_t>(clock_.elapsed()));
}

void CSwitchDlg::reject() { controller_.Cancel(); }

void CSwitchDlg::accept() { controller_.Ok(); }

void CSwitchDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        controller_.Ok();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSwitchDlg::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    event->ignore();
    controller_.Cancel();
}

}  // namespace torvik::qt

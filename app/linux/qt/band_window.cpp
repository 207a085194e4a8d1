#include "app/linux/qt/band_window.h"

#include <QMessageBox>

#include "bands/dialog_input.h"
#include "bands/linux/qt/bands_dlg.h"

namespace torvik::qt {

BandWindow::BandWindow(SwitchController& controller, SettingsStore& settings, QWidget& window,
                       const DialogTemplate& bandsLayout, DialogBaseUnits base)
    : window_(window),
      bandsLayout_(bandsLayout),
      base_(base),
      session_(controller, socket_, datagrams_, *this, settings, bands::MonotonicMillis) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { session_.OnTimer(); });
}

BandWindow::~BandWindow() {
    // The notifier goes before the descriptor it watches.
    session_.Stop();
}

void BandWindow::ArmBandTimer(std::optional<bands::Millis> waitMs) {
    if (waitMs) {
        timer_.start(static_cast<int>(*waitMs));
    } else {
        timer_.stop();
    }
}

void BandWindow::WatchSocket() {
    WatchDatagrams();
    const int descriptor = socket_.Descriptor();
    const short events = socket_.WantedEvents();
    if (descriptor == watchedDescriptor_ && events == watchedEvents_) return;
    // A notifier outlives no descriptor: it goes before it watches anything else.
    notifier_.reset();
    watchedDescriptor_ = descriptor;
    watchedEvents_ = events;
    if (descriptor < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(
        descriptor, events == POLLOUT ? QSocketNotifier::Write : QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { OnSocketReady(); });
}

void BandWindow::WatchDatagrams() {
    const int descriptor = datagrams_.Descriptor();
    if (descriptor == watchedDatagrams_) return;
    datagramNotifier_.reset();
    watchedDatagrams_ = descriptor;
    if (descriptor < 0) return;
    datagramNotifier_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    connect(datagramNotifier_.get(), &QSocketNotifier::activated, this, [this] {
        datagrams_.OnReadable(session_.Listener(), session_.Now());
        session_.OnSocketEvent();
    });
}

void BandWindow::OnSocketReady() {
    socket_.OnReady(watchedEvents_, session_.Link(), session_.Now());
    session_.OnSocketEvent();
}

void BandWindow::AddBandLine() {
    const Rect pixels = DialogUnitsToPixels(
        Rect{0, 0, bands::kStatusMarginUnits, bands::kStatusLineUnits}, base_);
    const int margin = pixels.right;
    lineHeight_ = pixels.bottom;
    line_ = std::make_unique<QLabel>(&window_);
    line_->setTextFormat(Qt::PlainText);
    line_->setGeometry(margin, window_.height(), window_.width() - 2 * margin, lineHeight_);
    window_.setFixedSize(window_.width(), window_.height() + lineHeight_);
    line_->show();
}

void BandWindow::SetBandLineText(const std::string& status) {
    if (!line_) return;
    line_->setText(line_->fontMetrics().elidedText(QString::fromStdString(status),
                                                   Qt::ElideRight, line_->width()));
}

void BandWindow::RemoveBandLine() {
    if (!line_) return;
    line_.reset();
    window_.setFixedSize(window_.width(), window_.height() - lineHeight_);
    lineHeight_ = 0;
}

void BandWindow::ShowNoBoxNotice() {
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(bands::kNoBoxCaption),
                    QString::fromLatin1(bands::kNoBoxText), QMessageBox::Ok, &window_);
    box.exec();
}

void BandWindow::RunBandsDialog(bands::BandFollowing& following) {
    BandsWindow dialog(bandsLayout_, following, &window_);
    dialog.exec();
}

}  // namespace torvik::qt

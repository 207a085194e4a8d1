#include "app/linux/qt/band_window.h"

#include <QMessageBox>
#include <QWidget>

#include <algorithm>

#include "app/switch_controller.h"
#include "bands/dialog_input.h"
#include "bands/linux/qt/bands_dlg.h"

namespace torvik::qt {
namespace {

// The link is looked at at least this often, whatever it says.
constexpr bands::Millis kLongestWait = 60000;

}  // namespace

BandWindow::BandWindow(SwitchController& controller, SettingsStore& settings,
                       std::function<void(const std::string&)> onStatus)
    : controller_(controller),
      following_(socket_,
                 [this](std::uint32_t mask) { bands::ApplyRuleMask(controller_, mask); },
                 settings),
      onStatus_(std::move(onStatus)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        following_.follower().link().Tick(bands::MonotonicMillis());
        Settle();
    });
}

BandWindow::~BandWindow() {
    Stop();
}

void BandWindow::Reload() {
    following_.UseBox(bands::PresentBoxSerial(controller_), bands::MonotonicMillis());
    Settle();
}

void BandWindow::Stop() {
    following_.follower().Disable();
    timer_.stop();
    Watch();
}

bands::BandsReply BandWindow::Command(std::string_view request) {
    if (request.size() > bands::kMaxRequestBytes) {
        return {bands::kReplyUsage, "request too long\n"};
    }
    bands::BandsReply reply = following_.Command(request, bands::MonotonicMillis());
    Settle();
    return reply;
}

void BandWindow::OpenDialog(const DialogTemplate& layout, QWidget* parent) {
    if (!following_.HasBox()) {
        QMessageBox box(QMessageBox::Information, QString::fromLatin1(bands::kNoBoxCaption),
                        QString::fromLatin1(bands::kNoBoxText), QMessageBox::Ok, parent);
        box.exec();
        return;
    }
    CBandsDlg dialog(layout, following_, parent);
    dialog.exec();
    Settle();
}

void BandWindow::Watch() {
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

void BandWindow::OnSocketReady() {
    socket_.OnReady(watchedEvents_, following_.follower().link(), bands::MonotonicMillis());
    Settle();
}

void BandWindow::Settle() {
    Watch();
    const bands::Millis now = bands::MonotonicMillis();
    if (const std::optional<bands::Millis> due = following_.follower().link().NextDue()) {
        timer_.start(static_cast<int>(std::clamp<bands::Millis>(*due - now, 0, kLongestWait)));
    } else {
        timer_.stop();
    }
    const std::string status = following_.follower().StatusText();
    if (status != shownStatus_) {
        shownStatus_ = status;
        if (onStatus_) onStatus_(status);
    }
}

}  // namespace torvik::qt

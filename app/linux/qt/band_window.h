#pragma once
// Band following in the Qt main window: the rig socket is watched by a QSocketNotifier and the
// session is woken by a single-shot timer, so nothing waits on the network. What happens is the
// core's BandSession; this object carries out its timer, status line and dialog.
#include <QLabel>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

#include "app/band_session.h"
#include "bands/linux/posix_datagram_socket.h"
#include "bands/linux/posix_rig_socket.h"
#include "controls/dialog_template.h"

namespace torvik::qt {

class BandWindow final : public QObject, public BandView {
public:
    // window: the main window, which the status line goes under; base: its dialog base units.
    // bandsLayout: the dialog's template.
    BandWindow(SwitchController& controller, SettingsStore& settings, QWidget& window,
               const DialogTemplate& bandsLayout, DialogBaseUnits base);
    ~BandWindow() override;

    BandSession& Session() { return session_; }

    void ArmBandTimer(std::optional<bands::Millis> waitMs) override;
    void WatchSocket() override;
    void AddBandLine() override;
    void SetBandLineText(const std::string& status) override;
    void RemoveBandLine() override;
    void ShowNoBoxNotice() override;
    void RunBandsDialog(bands::BandFollowing& following) override;

private:
    void OnSocketReady();
    // The pushed sources' socket has its own notifier, kept while the socket stays open.
    void WatchDatagrams();

    bands::PosixRigSocket socket_;   // before the session, which closes it on its end
    bands::PosixDatagramSocket datagrams_;  // likewise
    QTimer timer_;
    std::unique_ptr<QSocketNotifier> notifier_;
    int watchedDescriptor_ = -1;
    short watchedEvents_ = 0;
    std::unique_ptr<QSocketNotifier> datagramNotifier_;
    int watchedDatagrams_ = -1;
    QWidget& window_;
    const DialogTemplate& bandsLayout_;
    DialogBaseUnits base_;
    std::unique_ptr<QLabel> line_;
    int lineHeight_ = 0;
    BandSession session_;
};

}  // namespace torvik::qt

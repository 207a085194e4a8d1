#pragma once
// Band following in the Qt main window: the rig socket is watched by a QSocketNotifier and the
// link is woken by a single-shot timer set to its next due time, so nothing waits on the
// network. The status goes to whoever shows it (the main window's line and the tray tip);
// torvikctl's requests arrive here from the bus.
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "bands/band_following.h"
#include "bands/linux/posix_rig_socket.h"
#include "controls/dialog_template.h"

class QWidget;

namespace torvik {
class SettingsStore;
class SwitchController;
}

namespace torvik::qt {

class BandWindow final : public QObject {
public:
    // onStatus hears every change of the status text ("" while following is off).
    BandWindow(SwitchController& controller, SettingsStore& settings,
               std::function<void(const std::string&)> onStatus);
    ~BandWindow() override;

    // After every settings load: the plan of the box now present (or none).
    void Reload();
    // A torvikctl request: the words after "bands", as JoinWords made them.
    bands::BandsReply Command(std::string_view request);
    // The "Band following" dialog over parent (only with a box).
    void OpenDialog(const DialogTemplate& layout, QWidget* parent);
    // Stops following: the connection closes, the notifier and the timer end.
    void Stop();

    const bands::BandFollowing& Following() const { return following_; }

private:
    // After anything the link may have acted on: the socket's watch, the timer for its next
    // step and the status.
    void Settle();
    void Watch();
    void OnSocketReady();

    SwitchController& controller_;
    bands::PosixRigSocket socket_;
    bands::BandFollowing following_;
    std::function<void(const std::string&)> onStatus_;
    std::unique_ptr<QSocketNotifier> notifier_;
    int watchedDescriptor_ = -1;
    short watchedEvents_ = 0;
    QTimer timer_;
    std::string shownStatus_;
};

}  // namespace torvik::qt

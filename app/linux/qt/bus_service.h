#pragma once
// The remote control on the session bus: each method is one command executed by the controller,
// its answer returned as on Windows. Registered under bus::kObjectPath; the bus name is taken by
// main (it is the single-instance lock).
#include <QDBusContext>
#include <QObject>

#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>

#include "app/switch_controller.h"
#include "bands/bands_command.h"

namespace torvik::qt {

class BusService final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.Torvik")
public:
    using BandsHandler = std::function<bands::BandsReply(std::string_view request)>;
    BusService(SwitchController& controller, BandsHandler bands, BandsHandler station)
        : controller_(controller), bands_(std::move(bands)), station_(std::move(station)) {}

    // Looks at the antenna state and the box's presence; tells the bus when either changed.
    void CheckState();

signals:
    // The antenna mask (bits 0 to 3) and whether a box is present, whenever either changes.
    void StateChanged(uint mask, bool boxPresent);

public slots:
    qint64 GetState() { return Run({Verb::Get}); }
    qint64 SetState(uint mask) { return Run({Verb::Set, mask}); }
    qint64 Reload() { return Run({Verb::Reload}); }
    qint64 Hide() { return Run({Verb::Hide}); }
    qint64 Exit() { return Run({Verb::Exit}); }
    qint64 Show() { return Run({Verb::Show}); }
    // What the status line says about the box; empty while the box is there and took the last
    // write (the line is hidden then).
    QString Status() const {
        const LinkStatus status = controller_.Link();
        return status == LinkStatus::Ready ? QString() : QString::fromStdString(controller_.LinkStatusText());
    }
    // torvikctl bands: the words as JoinWords made them; answers the reply's code and text.
    int Bands(const QString& request, QString& reply);
    // torvikctl names (and the like): the whole command's words; the reply's code and text.
    int Station(const QString& request, QString& reply);
    // For programs ported from Windows: a message number with its wParam and lParam, answered
    // as the Windows main window answers it. Any other message is refused with an error.
    qint64 WindowMessage(uint message, qulonglong wParam, qlonglong lParam);

private:
    qint64 Run(const Command& command) {
        return static_cast<qint64>(controller_.Execute(command).value_or(0));
    }
    SwitchController& controller_;
    BandsHandler bands_;
    BandsHandler station_;   // the station words, MQTT's among them
    bool told_ = false;
    uint lastMask_ = 0;
    bool lastPresent_ = false;
};

}  // namespace torvik::qt

#pragma once
// The remote control on the session bus: each method is one command executed by the controller,
// its answer returned as on Windows. Registered under bus::kObjectPath; the bus name is taken by
// main (it is the single-instance lock).
#include <QObject>

#include <cstdint>

#include "app/switch_controller.h"

namespace torvik::qt {

class BusService final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.Torvik")
public:
    explicit BusService(SwitchController& controller) : controller_(controller) {}

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

private:
    qint64 Run(const Command& command) {
        return static_cast<qint64>(controller_.Execute(command).value_or(0));
    }
    SwitchController& controller_;
    bool told_ = false;
    uint lastMask_ = 0;
    bool lastPresent_ = false;
};

}  // namespace torvik::qt

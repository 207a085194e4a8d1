// The main window's own policy: when it shows and hides, what its buttons and the tray icon
// do, the commands of other programs, and the order in which it lets go of everything.
#include "app/switch_controller.h"

#include <utility>

#include "bands/band_follower.h"

namespace torvik {

void SwitchController::Start() {
    FindDevice();
    RefreshControls();
    if (windowHidden != 0) {
        view_.Hide();
    } else {
        view_.Show(false);
    }
}

void SwitchController::Ok() {
    windowHidden = 1;
    view_.Hide();
}

void SwitchController::Cancel() {
    // Without a box the window offers only Exit and Manual: closing it ends the program.
    if (devicePresent == 0) {
        EndProgram();
        return;
    }
    Ok();
}

void SwitchController::Exit() { EndProgram(); }

void SwitchController::EndProgram() {
    view_.StopBandFollowing();
    view_.EndProgram();
}

void SwitchController::OpenDialog() {
    windowHidden = 0;
    view_.Show(false);
}

void SwitchController::TrayEvent(TrayMouse event, std::uint32_t now) {
    windowHidden = 0;
    RunTrayAction(trayClicks_.OnMouse(event, now));
}

void SwitchController::TrayWaitOver() { RunTrayAction(trayClicks_.OnWaitOver()); }

void SwitchController::RunTrayAction(TrayAction action) {
    switch (action) {
    case TrayAction::kNone:
        return;
    case TrayAction::kStartWait:
        view_.WaitForSecondPress(true);
        return;
    case TrayAction::kShowWindow:
        view_.WaitForSecondPress(false);
        view_.Show(true);
        return;
    case TrayAction::kShowMenu:
        view_.WaitForSecondPress(false);
        view_.ShowTrayMenu(TrayMenu());
        return;
    }
}

std::vector<TrayMenuItem> SwitchController::TrayMenu() const {
    std::vector<TrayMenuItem> items =
        TrayMenuItems(devicePresent != 0, deviceNode.antennaCount, antennaOn, names_);
    if (devicePresent != 0) {
        // Before "Exit", the last item.
        items.insert(items.end() - 1, {kLockMenuText, ids::kStormLock, lock_.locked});
    }
    return items;
}

void SwitchController::Setup() {
    if (devicePresent == 0) {
        return;
    }
    if (view_.RunSetup(deviceNode, configBlock) == SetupEnd::kOk) {
        LoadSettings();
    }
}

void SwitchController::Shutdown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    ScheduleRecheck(false);
    view_.WaitForSecondPress(false);
    FinalWrite();
    view_.RemoveTrayIcon();
    view_.EndDeviceNotices();
    ClearHotkeys();
}

void SwitchController::ScheduleRecheck(bool on) {
    if (on == rechecking_) {
        return;
    }
    rechecking_ = on;
    if (on) {
        view_.StartRecheck(kRecheckIntervalMs);
    } else {
        view_.StopRecheck();
    }
}

void SwitchController::ShowBandStatus(const std::string& status) {
    bandStatus_ = status;
    ShowTrayTip();
}

void SwitchController::ShowMqttStatus(const std::string& status) {
    mqttStatus_ = status;
    ShowTrayTip();
}

void SwitchController::ShowTrayTip() {
    std::string tip = TrayTip(linkStatus);
    if (devicePresent != 0 && linkStatus == LinkStatus::Ready) {
        if (lock_.locked) {
            // Appended: GCC 12 sees a restrict overlap in a chain of + here.
            tip = kTrayTipName;
            tip += '\n';
            tip += kLockedTip;
        } else if (keyed_) {
            tip = kTrayTipName;   // band following's status under it says why
        } else {
            tip = TipWithAntennas(tip, names_, static_cast<unsigned>(GetAntennaMask()) >> 16);
        }
    }
    tip = bands::TipWithBandStatus(tip, bandStatus_);
    tip = bands::TipWithBandStatus(tip, mqttStatus_);
    if (tip != trayTip_) {
        trayTip_ = std::move(tip);
        view_.SetTrayTip(trayTip_);
    }
}

std::optional<std::intptr_t> SwitchController::Execute(const Command& command) {
    switch (command.verb) {
    case Verb::Hide:
        view_.Hide();
        return 1;
    case Verb::Reload:
        LoadSettings();
        RefreshControls();
        return 0;
    case Verb::Exit: {
        const std::intptr_t answer = windowHidden != 0 ? -1 : 1;
        EndProgram();
        return answer;
    }
    case Verb::Set:
        return SetAntennaMask(command.mask);
    case Verb::Get:
        return GetAntennaMask();
    case Verb::Show:
        OpenDialog();
        return 0;
    case Verb::Hotkey: {
        // A registered id is consumed whatever its dispatch decides.
        const int position = FindHotkey(hotkeyTable, command.hotkeyId);
        if (position < 0) {
            return std::nullopt;
        }
        DispatchHotkey(position);
        return 1;
    }
    case Verb::Help:
    case Verb::Bands:
    case Verb::Station:
        break;
    }
    return std::nullopt;
}

}  // namespace torvik

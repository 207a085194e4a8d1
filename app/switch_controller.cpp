#include "app/switch_controller.h"

#include "device/box_discovery.h"
#include "device/output_write.h"

namespace torvik {
namespace {

constexpr int kAntennaButtons = 3;

}  // namespace

SwitchController::SwitchController(BoxLink& link, SettingsStore& settings,
                                   HotkeyRegistrar& hotkeys, FocusQuery& focus, SwitchView& view,
                                   std::uint32_t doubleClickMs)
    : trayClicks_(doubleClickMs),
      link_(link),
      settings_(settings),
      hotkeys_(hotkeys),
      focus_(focus),
      view_(view) {}

std::string SwitchController::Section() const {
    return SectionName(deviceNode.serial.data(), deviceNode.serial.size());
}

// --- device link ---

void SwitchController::FindDevice() {
    devicePresent = 0;
    const BoxSearch search = SearchForBox(link_);
    if (search.box) {
        devicePresent = 1;
        deviceNode = *search.box;
    }
    // With a box, the load's write decides the status.
    if (!link_.Available()) {
        linkStatus = LinkStatus::NoDriver;
    } else if (!search.box && search.accessDenied) {
        linkStatus = LinkStatus::NoAccess;   // the user has to act: say so even if one is held
    } else if (!search.box && search.heldElsewhere) {
        linkStatus = LinkStatus::InUse;
    } else {
        linkStatus = LinkStatus::NoDevice;
    }
    // No notice comes when the other program lets go: look again until it has. A change of
    // permissions comes with a device notice, so a device without access needs no looking.
    ScheduleRecheck(link_.Available() && !search.box && search.heldElsewhere);
    LoadSettings();
}

void SwitchController::OnDeviceNotice() {
    // A timer message may still be queued when the window lets go of everything.
    if (shutDown_) {
        return;
    }
    FindDevice();
    ShowChecks();
}

void SwitchController::LoadSettings() {
    configBlock = MainDefaults();
    if (devicePresent != 0) {
        const std::string section = Section();
        // Read into a copy so that a failed read can never leave a half-filled block.
        ConfigBlock stored = configBlock;
        if (settings_.ReadConfig(section, stored)) {
            configBlock = stored;
        }
        antennaOn[0] = settings_.ReadIniInt(section, kKeyAntenna[0], 1);
        antennaOn[1] = settings_.ReadIniInt(section, kKeyAntenna[1], 0);
        antennaOn[2] = settings_.ReadIniInt(section, kKeyAntenna[2], 0);
        mixerMode = settings_.ReadIniInt(section, kKeySwitchMixer, 0);
        names_ = LoadNames(settings_, section);
        lock_ = LoadLock(settings_, section);
        if (keyed_ && !lock_.locked) {
            // A reload while the transmitter keys takes effect when it stops.
            // The fourth output is not stored: it keeps the state chosen before the key.
            const auto loaded = static_cast<std::uint32_t>(GetAntennaMask()) >> 16 & 0x7;
            chosenMask_ = loaded | (chosenMask_ & 0x8);
        }
        if (Held()) {
            // A locked station stays off through a restart, a replug and a reload.
            for (int k = 0; k < 4; ++k) antennaOn[k] = (lock_.protectMask >> k) & 1;
        }

        runFlag = kRunning;
        WriteOutput();
        BuildHotkeys();
    }
    if (devicePresent == 0) {
        names_ = {};
        lock_ = {};
        keyed_ = false;
    }
    view_.ShowAntennaNames(names_);
    UpdatePresence();
    view_.SettingsLoaded();
}

std::string SwitchController::LinkStatusText() const {
    return StatusText(linkStatus, link_.DriverName());
}

void SwitchController::UpdatePresence() {
    const bool present = devicePresent != 0;
    // A failing box shows its status where the antenna row stands; the other controls stay
    // usable, so that the next change can write again.
    const bool working = present && linkStatus == LinkStatus::Ready;
    const std::string statusText = LinkStatusText();
    view_.ShowLinkStatus(statusText.c_str());
    ShowTrayTip();
    std::string lockLine = present ? LockLineText(lock_, names_) : std::string();
    if (lockLine != lockLine_) {
        lockLine_ = std::move(lockLine);
        view_.ShowLockLine(lockLine_);
    }
    view_.ShowControl(ids::kStatusText, !working);
    for (int antenna = 0; antenna < kAntennaButtons; ++antenna) {
        view_.ShowControl(ids::AntennaButton(antenna), working);
    }
    view_.EnableControl(ids::kSetup, present);
    view_.EnableControl(ids::kOk, present);
    // While locked or keyed the window shows the held state and takes no change.
    const bool changeable = present && !Held();
    view_.EnableControl(ids::kMixerRadio, changeable);
    view_.EnableControl(ids::kSwitchRadio, changeable);
    for (int antenna = 0; antenna < kAntennaButtons; ++antenna) {
        view_.EnableControl(ids::AntennaButton(antenna), changeable);
    }
    if (working) {
        view_.LayoutAntennaRow();
    }
}

std::uint8_t SwitchController::OutputByte(const std::int32_t antennas[4], std::int32_t run) {
    return ComposeOutputByte(antennas, run);
}

void SwitchController::WriteOutput() {
    if (devicePresent == 0) {
        return;
    }
    const OutputWrite outcome =
        WriteOutputByte(link_, deviceNode.identity, OutputByte(antennaOn, runFlag));
    const bool newEpisode = episode_.Record(outcome);
    linkStatus = StatusAfterWrite(outcome);
    // The box's modal loop lets notices, hotkeys and remote messages in, and they write
    // again: the device is closed by now, and errorShowing_ keeps them from a second box.
    // The final write at shutdown (running bit clear) tells nobody.
    if (newEpisode && outcome == OutputWrite::ModeRefused && !errorShowing_ &&
        (runFlag & kRunning) != 0) {
        errorShowing_ = true;
        view_.ShowError("Failed to write data to CBUS pins.", "Error");
        errorShowing_ = false;
    }
}

// --- antenna names ---

std::string SwitchController::RenameAntenna(int antenna, std::string_view text) {
    if (devicePresent == 0) {
        return "no box connected";
    }
    std::string problem = StoreName(settings_, Section(), antenna, text);
    if (!problem.empty()) {
        return problem;
    }
    names_ = LoadNames(settings_, Section());
    view_.ShowAntennaNames(names_);
    UpdatePresence();
    return {};
}

// --- storm lock ---

void SwitchController::ApplyMask(std::uint32_t mask) {
    for (int k = 0; k < 4; ++k) antennaOn[k] = static_cast<std::int32_t>((mask >> k) & 1);
    runFlag = kRunning;
    WriteOutput();
    RefreshControls();
}

bool SwitchController::Lock() {
    if (devicePresent == 0) return false;
    if (!lock_.locked) {
        lock_.locked = true;
        // Keyed, the box shows the protect mask: the state to keep is the chosen one.
        lock_.savedMask =
            keyed_ ? chosenMask_ : static_cast<std::uint32_t>(GetAntennaMask()) >> 16 & 0xF;
        StoreLock(settings_, Section(), lock_);
    }
    ApplyMask(lock_.protectMask);
    return true;
}

bool SwitchController::Unlock() {
    if (devicePresent == 0) return false;
    if (!lock_.locked) return true;
    lock_.locked = false;
    StoreLock(settings_, Section(), lock_);
    const std::uint32_t saved = lock_.savedMask;
    if (keyed_) {
        // Still transmitting: the box stays protected and gets the saved state afterwards.
        chosenMask_ = saved;
        ApplyMask(lock_.protectMask);
    } else {
        ApplyMask(saved);
    }
    const IniInt antennaKeys[] = {{kKeyAntenna[0], static_cast<std::int32_t>(saved & 1)},
                                  {kKeyAntenna[1], static_cast<std::int32_t>(saved >> 1 & 1)},
                                  {kKeyAntenna[2], static_cast<std::int32_t>(saved >> 2 & 1)}};
    settings_.WriteIniInts(Section(), antennaKeys);
    return true;
}

void SwitchController::ToggleLock() {
    if (lock_.locked) {
        Unlock();
    } else {
        Lock();
    }
}

bool SwitchController::SetProtectMask(std::uint32_t mask) {
    if (devicePresent == 0) return false;
    lock_.protectMask = mask & 0xF;
    StoreLock(settings_, Section(), lock_);
    if (Held()) ApplyMask(lock_.protectMask);
    return true;
}

void SwitchController::SetTransmitProtect(bool on) {
    if (on == keyed_ || (on && devicePresent == 0)) return;
    keyed_ = on;
    if (devicePresent == 0) return;
    if (lock_.locked) {
        // The lock keeps the protect mask either way; only the window and the tip change.
        RefreshControls();
        return;
    }
    if (on) {
        chosenMask_ = static_cast<std::uint32_t>(GetAntennaMask()) >> 16 & 0xF;
        ApplyMask(lock_.protectMask);
    } else {
        ApplyMask(chosenMask_);
    }
}

// --- hotkeys ---

void SwitchController::BuildHotkeys() {
    torvik::BuildHotkeys(hotkeyTable, configBlock, hotkeys_);
}

void SwitchController::ClearHotkeys() {
    torvik::ClearHotkeys(hotkeyTable, hotkeys_);
}

int SwitchController::DispatchHotkey(int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= hotkeyTable.size()) {
        return 0;
    }
    const HotkeyBinding& entry = hotkeyTable[static_cast<std::size_t>(position)];
    const std::optional<int> antenna = ChooseAntenna(entry, configBlock, focus_);
    if (!antenna) {
        return 0;
    }
    AntennaAction(*antenna);
    return 1;
}

// --- main window ---

void SwitchController::RefreshControls() {
    UpdatePresence();
    ShowChecks();
}

void SwitchController::ShowChecks() {
    const bool present = devicePresent != 0;
    for (int antenna = 0; antenna < kAntennaButtons; ++antenna) {
        view_.SetChecked(ids::AntennaButton(antenna), present && antennaOn[antenna] != 0 ? 1 : 0);
    }
    view_.SetChecked(ids::kSwitchRadio, present && mixerMode == 0 ? 1 : 0);
    view_.SetChecked(ids::kMixerRadio, present && mixerMode != 0 ? 1 : 0);
}

void SwitchController::FinalWrite() {
    if (devicePresent == 0) {
        return;
    }
    runFlag = 0;
    WriteOutput();
}

}  // namespace torvik

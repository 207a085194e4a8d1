#pragma once
// The main window's run-time state and every decision about it that needs no window system:
// device discovery, settings load, antenna rules, output byte, hotkeys and their dispatch,
// the remote-control commands, and the window's own policy (OK, Cancel, Exit, the tray icon's
// rules, Setup, the recorded hiding and the shutdown order). Each platform's main window owns
// one SwitchController, implements SwitchView, and turns its events into the calls below.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/antenna_names.h"
#include "app/command.h"
#include "app/control_ids.h"
#include "app/tray_clicks.h"
#include "app/tray_menu.h"
#include "app/failure_episode.h"
#include "app/link_status.h"
#include "app/storm_lock.h"
#include "core/function_config.h"
#include "core/hotkey_dispatch.h"
#include "core/hotkey_table.h"
#include "core/settings.h"
#include "device/box_link.h"
#include "setup/setup_model.h"

namespace torvik {

namespace testing {
struct ControllerPeer;
}

// What the core asks of the window that shows it.
class SwitchView {
public:
    virtual ~SwitchView() = default;
    virtual void ShowControl(int controlId, bool show) = 0;
    virtual void EnableControl(int controlId, bool enable) = 0;
    // Sets a skinned button's checked state with redraw (no-op when already so).
    virtual void SetChecked(int controlId, int state) = 0;
    // Lays the three antenna buttons out in one row over their current span, kAntennaRowGap apart.
    virtual void LayoutAntennaRow() = 0;
    // Shows the window; toFront also makes it the foreground window first.
    virtual void Show(bool toFront) = 0;
    // Hides the window; windowHidden is the controller's business.
    virtual void Hide() = 0;
    // Ends the program's run (the main window's modal run) at once, closing whatever modal
    // window is open over it. Told only after StopBandFollowing.
    virtual void EndProgram() = 0;
    // Band following stops before the program's run ends, so that no rule is applied while
    // the window winds down.
    virtual void StopBandFollowing() = 0;
    // The one message box: text and caption, OK only, owned by the main window.
    virtual void ShowError(const char* text, const char* caption) = 0;
    // Shows the tray menu at the pointer and returns when it closes; a chosen item's command
    // comes back as a command of the main window.
    virtual void ShowTrayMenu(const std::vector<TrayMenuItem>& items) = 0;
    // Starts (or stops) the wait for a second press on the tray icon: the system's double-click
    // time, after which the window calls TrayWaitOver.
    virtual void WaitForSecondPress(bool on) = 0;
    // Runs the setup dialog for the box with this serial-number field, modally; inEffect are
    // the records the window runs on, which the dialog edits when none are stored.
    virtual SetupEnd RunSetup(const DeviceNode& box, const ConfigBlock& inEffect) = 0;
    // The settings were loaded anew (every search, a reload, Setup's OK): what the platform
    // keeps beside them (band following) takes them up too.
    virtual void SettingsLoaded() = 0;
    // The platform's long-lived things, released in the shutdown order.
    virtual void RemoveTrayIcon() = 0;
    virtual void EndDeviceNotices() = 0;
    // The status line's text, as it should read now.
    virtual void ShowLinkStatus(const char* statusText) = 0;
    // The tray icon's tip; told only when it changes.
    virtual void SetTrayTip(const std::string& tip) = 0;
    // The window calls OnDeviceNotice every intervalMs until StopRecheck; told only when the
    // rechecks start or stop.
    virtual void StartRecheck(std::uint32_t intervalMs) = 0;
    virtual void StopRecheck() = 0;
    // The antennas' names as loaded or changed: the buttons' captions and tooltips.
    virtual void ShowAntennaNames(const AntennaNames& names) { (void)names; }
    // The storm lock's line under the window's controls (LockLineText; empty: no line); told
    // only when it changes.
    virtual void ShowLockLine(const std::string& text) = 0;
};

class SwitchController {
public:
    // doubleClickMs: the system's double-click time, for the tray icon's presses.
    SwitchController(BoxLink& link, SettingsStore& settings, HotkeyRegistrar& hotkeys,
                     FocusQuery& focus, SwitchView& view, std::uint32_t doubleClickMs = 500);

    // --- what the views and the platform read ---
    std::int32_t AntennaOn(int index) const { return antennaOn[index & 3]; }
    std::int32_t MixerMode() const { return mixerMode; }
    std::int32_t RunFlag() const { return runFlag; }
    bool DevicePresent() const { return devicePresent != 0; }
    const DeviceNode& Node() const { return deviceNode; }
    bool WindowHidden() const { return windowHidden != 0; }
    // What the status line says: set by every search and every write.
    LinkStatus Link() const { return linkStatus; }
    // What the status line says about the link, in the platform's driver words.
    std::string LinkStatusText() const;
    const ConfigBlock& Configs() const { return configBlock; }
    const HotkeyTable& Hotkeys() const { return hotkeyTable; }
    // The box's antenna names (empty without a box or a name).
    const AntennaNames& Names() const { return names_; }
    // The menu the tray icon offers now.
    std::vector<TrayMenuItem> TrayMenu() const;

    // --- the window's life ---
    // Before the window starts: a start hidden in the tray (the HIDE word).
    void StartHidden(bool hidden) { windowHidden = hidden ? 1 : 0; }
    // The end of the window's initialisation: FindDevice, RefreshControls, then the window
    // shown, or left hidden after a hidden start.
    void Start();
    // OK (button or Enter): hidden, and recorded so.
    void Ok();
    // Escape, the close box, Alt+F4: like OK with a box; without one the program ends.
    void Cancel();
    // The Exit button and the tray's "Exit": the program ends.
    void Exit();
    // The tray's "open Dialog": shown, and recorded so.
    void OpenDialog();
    // Any mouse event on the tray icon (at the message time now, in milliseconds) records the
    // window as not hidden; TrayClickRules then decide between the menu, the window and a wait.
    void TrayEvent(TrayMouse event, std::uint32_t now);
    // The wait for a second press is over: a single press, so the menu.
    void TrayWaitOver();
    // Setup: nothing without a box; after the dialog's OK the settings are loaded anew (the
    // antenna buttons are not refreshed).
    void Setup();
    // The window's destruction, or the session's end, whichever comes first; once. In this
    // order: no more rechecks, FinalWrite, the tray icon removed, the device notices ended,
    // ClearHotkeys. A recheck due after it does nothing.
    void Shutdown();

    // --- commands from other programs and the system ---
    // The answer, or nothing when the command is not one the program answers (Help, a
    // hotkey id that is not ours).
    std::optional<std::intptr_t> Execute(const Command& command);

    // --- device link ---
    // Searches the link's list for the box, then LoadSettings. While no box is listed but
    // a device is held by another program, asks the view to look again soon.
    void FindDevice();
    // A device arrived or went, or the view's interval after ScheduleRecheck(true) has passed:
    // FindDevice, then the antenna and mode buttons show the state that the load brought (a
    // box that arrives is driven with its stored antennas at once). Nothing after Shutdown.
    void OnDeviceNotice();
    // Records back to their defaults; with a box, its section, the output byte and the
    // hotkeys; in any case the presence display; then the view hears of it.
    void LoadSettings();
    // The controls that follow the box and the link status. Writes nothing: every change
    // writes the box once, itself.
    void UpdatePresence();
    // One write of the output byte with a box present. Its outcome becomes the link status;
    // a refused mode that opens a failure episode shows the message box, after the device is
    // closed and never while such a box is open.
    void WriteOutput();
    static std::uint8_t OutputByte(const std::int32_t antennaOn[4], std::int32_t runFlag);

    // --- antenna names ---
    // Stores the name (empty: none) and shows it everywhere; the refusal, or empty when done.
    std::string RenameAntenna(int antenna, std::string_view text);

    // --- storm lock ---
    bool Locked() const { return lock_.locked; }
    std::uint32_t ProtectMask() const { return lock_.protectMask; }
    // With a box: the state is kept, the protect mask written, and every change refused
    // until Unlock, which brings the kept state back. Both are stored at once.
    bool Lock();
    bool Unlock();
    // The tray's "Lock: all antennas off": locks, or unlocks a locked box.
    void ToggleLock();
    // The box's protect mask (bits 0 to 3); in effect at once while locked or keyed.
    bool SetProtectMask(std::uint32_t mask);

    // --- protection while the transmitter keys ---
    // On: the chosen state is kept and the protect mask written, nothing stored; every change
    // is refused as the lock refuses it. Off: the chosen state comes back, unless the box is
    // locked, which keeps its protect mask. A lock or unlock meanwhile keeps the chosen state
    // as the lock's saved one.
    void SetTransmitProtect(bool on);
    bool TransmitProtected() const { return keyed_; }
    // Locked or keyed: the box holds its protect mask and takes no change.
    bool Held() const { return lock_.locked || keyed_; }

    // --- antenna rules ---
    void SetAntenna(std::int32_t value, int index);
    void AntennaAction(int antenna);
    void SetMixerMode();
    void SetSwitchMode();
    std::int32_t SetAntennaMask(std::uintptr_t mask);
    std::int32_t GetAntennaMask() const;

    // --- hotkeys ---
    void BuildHotkeys();
    void ClearHotkeys();
    int DispatchHotkey(int position);

    // --- main window ---
    // UpdatePresence, then the check states of the antenna buttons and both radios. The
    // mixer radio shows 1 for any nonzero mode: a mode stored as 2 still reads as mixer mode,
    // and a skinned button given 2 would draw an undefined state.
    void RefreshControls();
    // The check states of the antenna buttons and both radios alone.
    void ShowChecks();
    // Band following's status ("" while off), shown on a line of the tray tip under the link's.
    void ShowBandStatus(const std::string& status);
    const std::string& BandStatus() const { return bandStatus_; }
    // The MQTT link's status ("" while off), on the tray tip's last line.
    void ShowMqttStatus(const std::string& status);
    // The section of the present box ("%s_KEYSET"), built anew for each access.
    std::string Section() const;
    // With a box, the output byte once more with the running bit clear, so the box keeps its
    // antennas and drops the running bit.
    void FinalWrite();

private:
    friend struct testing::ControllerPeer;

    void RunTrayAction(TrayAction action);
    // Every end of the program's run: band following first, then the run itself.
    void EndProgram();
    // The link's tip with band following's status under it, given to the view when changed.
    void ShowTrayTip();
    void ScheduleRecheck(bool on);

    std::int32_t mixerMode = 0;
    std::int32_t antennaOn[4] = {1, 0, 0, 0};
    std::int32_t windowHidden = 0;
    std::int32_t runFlag = 0;
    std::int32_t devicePresent = 0;
    DeviceNode deviceNode{};
    LinkStatus linkStatus = LinkStatus::NoDevice;
    ConfigBlock configBlock = MainDefaults();
    AntennaNames names_;
    StormLock lock_;
    bool keyed_ = false;
    std::uint32_t chosenMask_ = 1;   // while keyed and unlocked: the state to come back to
    void ApplyMask(std::uint32_t mask);
    HotkeyTable hotkeyTable;
    bool shutDown_ = false;
    TrayClickRules trayClicks_;

    BoxLink& link_;
    SettingsStore& settings_;
    HotkeyRegistrar& hotkeys_;
    FocusQuery& focus_;
    SwitchView& view_;
    FailureEpisode episode_;
    bool errorShowing_ = false;
    std::string trayTip_ = kTrayTipName;   // the tip the icon starts with
    std::string bandStatus_;
    std::string mqttStatus_;
    std::string lockLine_;   // as the view was last told
    bool rechecking_ = false;
};

// While a device is held by another program, the list is looked at this often.
inline constexpr std::uint32_t kRecheckIntervalMs = 2000;

}  // namespace torvik

#pragma once
// The main window's run-time state and every operation on it that needs no window system:
// device discovery, settings load, antenna rules, output byte, hotkeys and their dispatch,
// and the answers to the remote-control messages. Each platform's main window owns one
// SwitchController, implements SwitchView, and forwards its messages here.

#include <cstdint>
#include <optional>
#include <string>

#include "app/failure_episode.h"
#include "app/link_status.h"
#include "app/window_messages.h"
#include "core/function_config.h"
#include "core/hotkey_dispatch.h"
#include "core/hotkey_table.h"
#include "core/settings.h"
#include "device/d2xx.h"

namespace torvik {

// Control ids of the main window that the core talks about.
namespace ids {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kAntenna1 = 1001;   // 1002, 1003 follow
inline constexpr int kSwitchRadio = 1005;
inline constexpr int kMixerRadio = 1006;
inline constexpr int kSetup = 1007;
inline constexpr int kManual = 1008;
inline constexpr int kStatusText = 1009;
inline constexpr int kRemoteReload = 1013;  // ID_REMOTE_RELOAD: sent by other programs only
inline constexpr int kBanner = 1014;
inline constexpr int kExit = 1020;
inline constexpr int kOpenDialog = 1024;    // ID_OPEN_DIALOG
}  // namespace ids

// What the core asks of the window that shows it.
class SwitchView {
public:
    virtual ~SwitchView() = default;
    virtual void ShowControl(int controlId, bool show) = 0;
    virtual void EnableControl(int controlId, bool enable) = 0;
    // Sets a skinned button's checked state with redraw (no-op when already so).
    virtual void SetChecked(int controlId, int state) = 0;
    // Lays the three antenna buttons out in one row over their current span, 2 pixels apart.
    virtual void LayoutAntennaRow() = 0;
    // Hides the window (SW_HIDE); windowHidden is the controller's business.
    virtual void HideWindow() = 0;
    // Ends the modal run with code 0.
    virtual void EndDialog() = 0;
    // The one message box: text and caption, OK only, owned by the main window.
    virtual void ShowError(const char* text, const char* caption) = 0;
    // The status line's text and the tray icon's tip, as they should read now.
    virtual void ShowLinkStatus(const char* statusText, const std::string& trayTip) = 0;
    // While on, the window calls Recheck after a short interval, again and again.
    virtual void ScheduleRecheck(bool on) = 0;
};

class SwitchController {
public:
    SwitchController(D2xxDriver& driver, SettingsStore& settings, HotkeyRegistrar& hotkeys,
                     FocusQuery& focus, SwitchView& view);

    // --- state, as the main window's members ---
    std::int32_t mixerMode = 0;
    std::int32_t antennaOn[4] = {1, 0, 0, 0};
    std::int32_t windowHidden = 0;
    std::int32_t runFlag = 0;
    std::int32_t devicePresent = 0;
    DeviceNode deviceNode{};
    // What the status line says: set by every search and every write.
    LinkStatus linkStatus = LinkStatus::NoDevice;
    ConfigBlock configBlock = MainDefaults();
    HotkeyTable hotkeyTable;

    // --- device link ---
    // Searches the driver's list for the box, then LoadSettings. While no box is listed but
    // a device is held by another program, asks the view to look again soon.
    void FindDevice();
    // A device arrived or went, or the view's interval after ScheduleRecheck(true) has passed:
    // FindDevice, then the antenna and mode buttons show the state that the load brought (a
    // box that arrives is driven with its stored antennas at once).
    void OnDeviceNotice();
    // Records back to their defaults; with a box, its section, the output byte and the
    // hotkeys; in any case the presence display.
    void LoadSettings();
    // The controls that follow the box and the link status. Writes nothing: every change
    // writes the box once, itself.
    void UpdatePresence();
    // One write of the output byte with a box present. Its outcome becomes the link status;
    // a refused mode that opens a failure episode shows the message box, after the device is
    // closed and never while such a box is open.
    void WriteOutput();
    static std::uint8_t OutputByte(const std::int32_t antennaOn[4], std::int32_t runFlag);

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
    // Pre-translation of WM_HOTKEY: true when the id was ours (dispatched, message consumed).
    bool HandleHotkeyMessage(std::uintptr_t wParam);

    // --- main window ---
    // UpdatePresence, then the check states of the antenna buttons and both radios. The
    // mixer radio shows 1 for any nonzero mode: a mode stored as 2 still reads as mixer mode,
    // and a skinned button given 2 would draw an undefined state.
    void RefreshControls();
    // The check states of the antenna buttons and both radios alone.
    void ShowChecks();
    // The section of the present box ("%s_KEYSET"), built anew for each access.
    std::string Section() const;
    // The remote-control messages and ID_REMOTE_RELOAD: the answer when the message is one
    // of ours, nothing otherwise. WM_REMOTE_EXIT calls view.EndDialog().
    std::optional<std::intptr_t> HandleRemoteMessage(std::uint32_t message, std::uintptr_t wParam,
                                                     std::intptr_t lParam);
    // The window's destruction, in its order: FinalWrite(); remove the tray icon; end the
    // device-notice registration; ClearHotkeys(). The two platform steps between them are the
    // window's own.
    // FinalWrite: with a box, the output byte once more with the running bit clear, so the
    // box keeps its antennas and drops the running bit.
    void FinalWrite();
    // FinalWrite then ClearHotkeys, for a host with nothing to release in between.
    void Shutdown();

private:
    D2xxDriver& driver_;
    SettingsStore& settings_;
    HotkeyRegistrar& hotkeys_;
    FocusQuery& focus_;
    SwitchView& view_;
    FailureEpisode episode_;
    bool errorShowing_ = false;
};

}  // namespace torvik

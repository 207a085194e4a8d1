#pragma once
// CSwitchDlg: the main window. It owns every run-time object of the program (the antenna state
// in its controller, the tray icon, the device-notice registration, the hotkeys) and its modal
// loop is the program's message loop.

#include <windows.h>
#include <dbt.h>

#include <array>
#include <string>
#include <vector>

#include "app/switch_controller.h"
#include "app/tray_clicks.h"
#include "app/win32/antenna_captions.h"
#include "app/win32/band_window.h"
#include "app/win32/hotkeys_win32.h"
#include "app/win32/mqtt_window.h"
#include "controls/win32/my_button.h"
#include "core/settings.h"
#include "device/win32/d2xx_library.h"
#include "platform/win32/dialog.h"
#include "platform/win32/message_map.h"
#include "platform/win32/win_handle.h"

namespace torvik::win32 {

// The device-interface class under which the D2XX driver announces its devices.
inline constexpr GUID kD2xxInterfaceClass = {
    0x219D0508, 0x57A8, 0x4FF5, {0x97, 0xA1, 0xBD, 0x86, 0x58, 0x7C, 0x6C, 0x7E}};

// An online manual named by the build (TORVIK_MANUAL_URL); empty opens the installed one.
#ifdef TORVIK_MANUAL_URL
inline constexpr const char* kOnlineManual = TORVIK_MANUAL_URL;
#else
inline constexpr const char* kOnlineManual = "";
#endif

class CSwitchDlg : public Dialog {
public:
    explicit CSwitchDlg(HWND parent);
    ~CSwitchDlg() override;

    // The modal run shows the window when the queue first runs empty, unless the start was
    // hidden: then it stays invisible until something shows it.
    INT_PTR DoModal() override;
    bool PreTranslateMessage(MSG& msg) override;

    // Start-up asks for a start hidden in the tray before the modal run.
    void StartHidden(bool hidden) { controller_.StartHidden(hidden); }
    const SwitchController& Controller() const { return controller_; }

    // Member controls, bound when the dialog initialises.
    MyButton mixerRadio;
    MyButton switchRadio;
    MyButton setupButton;
    MyButton okButton;
    MyButton exitButton;
    MyButton manualButton;
    MyButton bannerButton;
    HWND statusText = nullptr;
    std::array<MyButton, 3> antennaButtons;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The window as the controller sees it.
    class View final : public SwitchView {
    public:
        explicit View(CSwitchDlg& dialog) : dialog_(dialog) {}
        void ShowControl(int controlId, bool show) override;
        void EnableControl(int controlId, bool enable) override;
        void SetChecked(int controlId, int state) override;
        void LayoutAntennaRow() override;
        void Show(bool toFront) override;
        void Hide() override;
        void EndProgram() override;
        void StopBandFollowing() override;
        void ShowError(const char* text, const char* caption) override;
        void ShowTrayMenu(const std::vector<TrayMenuItem>& items) override;
        void WaitForSecondPress(bool on) override;
        void SettingsLoaded() override;
        SetupEnd RunSetup(const DeviceNode& box, const ConfigBlock& inEffect) override;
        void RemoveTrayIcon() override;
        void EndDeviceNotices() override;
        void ShowLinkStatus(const char* statusText) override;
        void SetTrayTip(const std::string& tip) override;
        void StartRecheck(std::uint32_t intervalMs) override;
        void StopRecheck() override;
        void ShowAntennaNames(const AntennaNames& names) override;
        void ShowLockLine(const std::string& text) override;

    private:
        CSwitchDlg& dialog_;
    };

    MyButton* ButtonById(int controlId);
    void BindControls();
    void RegisterDeviceNotices();
    // Ends the modal run, closing first whatever modal window is open on top of this one.
    void EndNow();

    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeviceChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnAntenna1(WPARAM wParam, LPARAM lParam);
    LRESULT OnAntenna2(WPARAM wParam, LPARAM lParam);
    LRESULT OnAntenna3(WPARAM wParam, LPARAM lParam);
    LRESULT OnSwitchMode(WPARAM wParam, LPARAM lParam);
    LRESULT OnMixerMode(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetup(WPARAM wParam, LPARAM lParam);
    LRESULT OnManual(WPARAM wParam, LPARAM lParam);
    LRESULT OnExit(WPARAM wParam, LPARAM lParam);
    LRESULT OnOpenDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnBandFollowing(WPARAM wParam, LPARAM lParam);
    LRESULT OnStormLock(WPARAM wParam, LPARAM lParam);
    LRESULT OnMqtt(WPARAM wParam, LPARAM lParam);

    static const MessageEntry<CSwitchDlg> kMessageMap[];

    IniSettings settings_;
    D2xxLibrary driver_;
    WindowHotkeyRegistrar hotkeys_;
    SystemFocusQuery focus_;
    View view_;
    SwitchController controller_;
    BandWindow bands_;
    MqttWindow mqtt_;
    AntennaCaptions captions_;

    DeviceNotifyHandle deviceNotify_;
    IconHandle windowIcon_;
    IconHandle trayIcon_;
    UINT taskbarCreated_ = 0;
    std::string trayTip_ = kTrayTipName;   // what the icon says; given again when re-added
};

}  // namespace torvik::win32

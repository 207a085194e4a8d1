#include "app/win32/switch_dlg.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_window_look.h"
#include "app/manual_address.h"
#include "app/win32/driver_file.h"
#include "app/win32/remote_messages.h"
#include "app/win32/setup_launcher.h"
#include "app/win32/station_requests.h"
#include "app/win32/tray_icon.h"
#include "controls/win32/layout_window.h"
#include "controls/win32/skin_resources.h"
#include "platform/win32/program_folder.h"
#include "res/resource.h"

namespace torvik::win32 {
namespace {

constexpr DWORD kInterfaceDeviceType = 5;  // DBT_DEVTYP_DEVICEINTERFACE
constexpr UINT_PTR kRecheckTimer = 1;
constexpr UINT_PTR kTrayClickTimer = 2;     // the wait for a second click on the tray icon

static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_A) == 32,
              "the device-interface filter is a 32-byte header");

HICON LoadIconSized(UINT id, int size) {
    return static_cast<HICON>(
        LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

}  // namespace

const MessageEntry<CSwitchDlg> CSwitchDlg::kMessageMap[] = {
    OnMsg<CSwitchDlg>(WM_CTLCOLORSTATIC, &CSwitchDlg::OnCtlColorStatic),
    OnCommand<CSwitchDlg>(IDC_ANTENNA1, &CSwitchDlg::OnAntenna1),
    OnCommand<CSwitchDlg>(IDC_ANTENNA2, &CSwitchDlg::OnAntenna2),
    OnCommand<CSwitchDlg>(IDC_ANTENNA3, &CSwitchDlg::OnAntenna3),
    OnCommand<CSwitchDlg>(IDC_SWITCH_RADIO, &CSwitchDlg::OnSwitchMode),
    OnCommand<CSwitchDlg>(IDC_MIXER_RADIO, &CSwitchDlg::OnMixerMode),
    OnCommand<CSwitchDlg>(IDC_SETUP, &CSwitchDlg::OnSetup),
    OnCommand<CSwitchDlg>(IDC_MANUAL, &CSwitchDlg::OnManual),
    OnCommand<CSwitchDlg>(IDC_EXIT, &CSwitchDlg::OnExit),
    OnCommand<CSwitchDlg>(ID_OPEN_DIALOG, &CSwitchDlg::OnOpenDialog),
    OnCommand<CSwitchDlg>(ID_BAND_FOLLOWING, &CSwitchDlg::OnBandFollowing),
    OnCommand<CSwitchDlg>(ID_STORM_LOCK, &CSwitchDlg::OnStormLock),
    OnCommand<CSwitchDlg>(ID_MQTT, &CSwitchDlg::OnMqtt),
    OnMsg<CSwitchDlg>(WM_DEVICECHANGE, &CSwitchDlg::OnDeviceChange),
    OnMsg<CSwitchDlg>(WM_DESTROY, &CSwitchDlg::OnDestroy),
    OnMsg<CSwitchDlg>(WM_ENDSESSION, &CSwitchDlg::OnEndSession),
    OnMsg<CSwitchDlg>(WM_TRAY_NOTIFY, &CSwitchDlg::OnTrayNotify),
    OnMsg<CSwitchDlg>(WM_TIMER, &CSwitchDlg::OnTimer),
};

CSwitchDlg::CSwitchDlg(HWND parent)
    : Dialog(IDD_TORVIK_DIALOG, parent),
      settings_(ProgramFolder()),
      driver_(ProgramFolder()),
      view_(*this),
      controller_(driver_, settings_, hotkeys_, focus_, view_, GetDoubleClickTime()),
      bands_(controller_, settings_),
      mqtt_(controller_, settings_, bands_.Session()),
      windowIcon_(LoadIconSized(IDI_MAIN_ICON, GetSystemMetrics(SM_CXICON))),
      trayIcon_(LoadIconSized(IDI_TRAY_ICON, 16)),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

CSwitchDlg::~CSwitchDlg() {
    // The window must go while the objects its messages reach still exist.
    if (Exists()) {
        DestroyWindow(hwnd_);
    }
}

INT_PTR CSwitchDlg::DoModal() {
    // The template names our own class, so that other programs and a second start can tell
    // this window from any other that has the mark in its title.
    RegisterDialogClass(msg::kMainWindowClass);
    return RunModal(controller_.WindowHidden() ? 0 : MLF_SHOWONIDLE);
}

bool CSwitchDlg::PreTranslateMessage(MSG& msg) {
    // A hotkey of ours is consumed here, before the dialog's keyboard handling.
    if (msg.message == WM_HOTKEY) {
        if (const auto command = HotkeyPress(msg.wParam); command && controller_.Execute(*command)) {
            return true;
        }
    }
    return Dialog::PreTranslateMessage(msg);
}

void CSwitchDlg::BindControls() {
    mixerRadio.SubclassDlgItem(IDC_MIXER_RADIO, hwnd_);
    switchRadio.SubclassDlgItem(IDC_SWITCH_RADIO, hwnd_);
    setupButton.SubclassDlgItem(IDC_SETUP, hwnd_);
    okButton.SubclassDlgItem(IDOK, hwnd_);
    exitButton.SubclassDlgItem(IDC_EXIT, hwnd_);
    manualButton.SubclassDlgItem(IDC_MANUAL, hwnd_);
    bannerButton.SubclassDlgItem(IDC_BANNER, hwnd_);
    statusText = Item(IDC_STATUS_TEXT);
    for (int i = 0; i < 3; ++i) {
        antennaButtons[static_cast<std::size_t>(i)].SubclassDlgItem(IDC_ANTENNA1 + i, hwnd_);
    }
}

BOOL CSwitchDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    BindControls();
    hotkeys_.SetWindow(hwnd_);

    ProvideDriverFile(ProgramFolder());
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_.Get()));
    AddTrayIcon(hwnd_, kTrayIconId, trayIcon_.Get(), trayTip_);
    bands_.Attach(hwnd_);
    mqtt_.Attach(hwnd_);
    InitSkinResources();

    bannerButton.SetImage(IDR_BANNER, kBannerLook.imageAlign);
    bannerButton.look = kBannerLook;

    if (statusText != nullptr) {
        SendMessageA(statusText, WM_SETFONT,
                     reinterpret_cast<WPARAM>(SharedFont(FontChoice::kLarge)), TRUE);
    }

    manualButton.SetImage(IDB_MANUAL_IMAGE, kManualLook.imageAlign);
    manualButton.look = kManualLook;

    captions_.Attach(hwnd_, {antennaButtons[0].Handle(), antennaButtons[1].Handle(),
                             antennaButtons[2].Handle()});
    RegisterDeviceNotices();
    controller_.Start();
    mqtt_.Session().Start();
    return TRUE;
}

void CSwitchDlg::RegisterDeviceNotices() {
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kD2xxInterfaceClass;
    deviceNotify_.Reset(RegisterDeviceNotificationA(hwnd_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

void CSwitchDlg::OnOK() { controller_.Ok(); }

void CSwitchDlg::OnCancel() { controller_.Cancel(); }

bool CSwitchDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The shell started anew and forgot every icon: put ours back.
        AddTrayIcon(hwnd_, kTrayIconId, trayIcon_.Get(), trayTip_);
        result = 0;
        return true;
    }
    if (mqtt_.HandleMessage(message)) {
        result = 0;
        return true;
    }
    if (bands_.HandleMessage(message, wParam, lParam, result) ||
        AnswerStationRequest(hwnd_, controller_, &mqtt_.Session(), message, wParam, lParam,
                             result)) {
        return true;
    }
    if (message == WM_CONTEXTMENU && captions_.OnContextMenu(wParam, lParam, controller_)) {
        result = 0;
        return true;
    }
    if (DispatchMessageMap<CSwitchDlg>(*this, kMessageMap, message, wParam, lParam, result)) {
        return true;
    }
    // Hotkeys are taken before dispatch (PreTranslateMessage); one sent here is not a press.
    if (const auto answer = AnswerSentMessage(controller_, message, wParam, lParam)) {
        result = *answer;
        return true;
    }
    return Dialog::OnMessage(message, wParam, lParam, result);
}

LRESULT CSwitchDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    // The framework's colours, and red text for the status line.
    const LRESULT brush = DefWindowProcA(hwnd_, WM_CTLCOLORSTATIC, wParam, lParam);
    if (reinterpret_cast<HWND>(lParam) == statusText) {
        SetTextColor(reinterpret_cast<HDC>(wParam), static_cast<COLORREF>(kStatusTextColour));
    }
    return brush;
}

LRESULT CSwitchDlg::OnDeviceChange(WPARAM wParam, LPARAM lParam) {
    if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && lParam != 0 &&
        reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam)->dbch_devicetype ==
            kInterfaceDeviceType) {
        controller_.OnDeviceNotice();
    }
    return TRUE;
}

LRESULT CSwitchDlg::OnDestroy(WPARAM, LPARAM) {
    // "offline" goes out while the box is still driven, before the box is let go.
    mqtt_.Session().Shutdown();
    bands_.Session().Shutdown();
    return 0;
}

LRESULT CSwitchDlg::OnEndSession(WPARAM wParam, LPARAM) {
    // The user logs off or the machine shuts down: the process ends without the window's
    // destruction, so the box must drop its running bit now.
    if (wParam != FALSE) {
        mqtt_.Session().Shutdown();
        bands_.Session().Shutdown();
    }
    return 0;
}

void CSwitchDlg::EndNow() {
    // The setup dialog or a message box open on top runs a modal loop of its own, and the
    // program would live on until the user closed it: cancel it so that the end happens now.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM owner) -> BOOL {
            if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner) &&
                IsWindowEnabled(window) != FALSE) {
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(hwnd_));
    EndDialog(0);
}

LRESULT CSwitchDlg::OnTrayNotify(WPARAM, LPARAM lParam) {
    controller_.TrayEvent(TrayMouseOf(lParam), static_cast<std::uint32_t>(GetMessageTime()));
    return 0;
}

LRESULT CSwitchDlg::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam == kTrayClickTimer) {
        KillTimer(hwnd_, kTrayClickTimer);
        controller_.TrayWaitOver();
    } else if (wParam == kRecheckTimer) {
        controller_.OnDeviceNotice();
    }
    return 0;
}

LRESULT CSwitchDlg::OnAntenna1(WPARAM, LPARAM) {
    controller_.AntennaAction(0);
    return 0;
}

LRESULT CSwitchDlg::OnAntenna2(WPARAM, LPARAM) {
    controller_.AntennaAction(1);
    return 0;
}

LRESULT CSwitchDlg::OnAntenna3(WPARAM, LPARAM) {
    controller_.AntennaAction(2);
    return 0;
}

LRESULT CSwitchDlg::OnSwitchMode(WPARAM, LPARAM) {
    controller_.SetSwitchMode();
    return 0;
}

LRESULT CSwitchDlg::OnMixerMode(WPARAM, LPARAM) {
    controller_.SetMixerMode();
    return 0;
}

LRESULT CSwitchDlg::OnSetup(WPARAM, LPARAM) {
    controller_.Setup();
    return 0;
}

LRESULT CSwitchDlg::OnManual(WPARAM, LPARAM) {
    const std::string address = ManualAddress(ProgramFolder(), kOnlineManual);
    ShellExecuteA(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}

LRESULT CSwitchDlg::OnExit(WPARAM, LPARAM) {
    controller_.Exit();
    return 0;
}

LRESULT CSwitchDlg::OnOpenDialog(WPARAM, LPARAM) {
    controller_.OpenDialog();
    return 0;
}

LRESULT CSwitchDlg::OnStormLock(WPARAM, LPARAM) {
    controller_.ToggleLock();
    return 0;
}

LRESULT CSwitchDlg::OnMqtt(WPARAM, LPARAM) {
    mqtt_.OpenDialog(hwnd_);
    return 0;
}

LRESULT CSwitchDlg::OnBandFollowing(WPARAM, LPARAM) {
    bands_.Session().OpenDialog();
    return 0;
}

// --- the controller's view ---

MyButton* CSwitchDlg::ButtonById(int controlId) {
    switch (controlId) {
    case IDC_MIXER_RADIO: return &mixerRadio;
    case IDC_SWITCH_RADIO: return &switchRadio;
    case IDC_SETUP: return &setupButton;
    case IDOK: return &okButton;
    case IDC_EXIT: return &exitButton;
    case IDC_MANUAL: return &manualButton;
    case IDC_BANNER: return &bannerButton;
    case IDC_ANTENNA1: return &antennaButtons[0];
    case IDC_ANTENNA2: return &antennaButtons[1];
    case IDC_ANTENNA3: return &antennaButtons[2];
    default: return nullptr;
    }
}

void CSwitchDlg::View::ShowControl(int controlId, bool show) { dialog_.ShowItem(controlId, show); }

void CSwitchDlg::View::EnableControl(int controlId, bool enable) {
    dialog_.EnableItem(controlId, enable);
}

void CSwitchDlg::View::SetChecked(int controlId, int state) {
    if (MyButton* button = dialog_.ButtonById(controlId); button != nullptr) {
        button->SetChecked(state, true);
    }
    dialog_.mqtt_.NoteStateShown();
}

void CSwitchDlg::View::LayoutAntennaRow() {
    std::array<HWND, 3> row{};
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i] = dialog_.antennaButtons[i].Handle();
    }
    LayoutWindowRow(row, kAntennaRowGap);
}

void CSwitchDlg::View::Show(bool toFront) {
    if (toFront) {
        SetForegroundWindow(dialog_.Handle());
    }
    ::ShowWindow(dialog_.Handle(), SW_SHOW);
}

void CSwitchDlg::View::Hide() { ::ShowWindow(dialog_.Handle(), SW_HIDE); }

void CSwitchDlg::View::EndProgram() { dialog_.EndNow(); }

void CSwitchDlg::View::StopBandFollowing() { dialog_.bands_.Session().Stop(); }

void CSwitchDlg::View::ShowError(const char* text, const char* caption) {
    MessageBoxA(dialog_.Handle(), text, caption, MB_OK);
}

void CSwitchDlg::View::ShowTrayMenu(const std::vector<TrayMenuItem>& items) {
    win32::ShowTrayMenu(dialog_.Handle(), items);
}

SetupEnd CSwitchDlg::View::RunSetup(const DeviceNode& box, const ConfigBlock& inEffect) {
    const INT_PTR end =
        RunSetupDialog(dialog_.Handle(), box, dialog_.settings_, ProgramFolder(), inEffect);
    return end == IDOK ? SetupEnd::kOk : SetupEnd::kCancel;
}

void CSwitchDlg::View::RemoveTrayIcon() { win32::RemoveTrayIcon(dialog_.Handle(), kTrayIconId); }

void CSwitchDlg::View::EndDeviceNotices() { dialog_.deviceNotify_.Reset(); }

void CSwitchDlg::View::ShowLinkStatus(const char* statusText) {
    // Set only when it differs, so that the line does not flicker on every write.
    if (HWND control = dialog_.statusText;
        control != nullptr && WindowTextUtf8(control) != statusText) {
        SetWindowTextUtf8(control, statusText);
    }
    dialog_.mqtt_.NoteStateShown();
}

void CSwitchDlg::View::ShowAntennaNames(const AntennaNames& names) {
    dialog_.captions_.Show(names);
    dialog_.mqtt_.NoteStateShown();
}

void CSwitchDlg::View::ShowLockLine(const std::string& text) {
    dialog_.bands_.Session().ShowLockLine(text);
    dialog_.mqtt_.NoteStateShown();
}

void CSwitchDlg::View::SetTrayTip(const std::string& tip) {
    dialog_.trayTip_ = tip;
    win32::SetTrayTip(dialog_.Handle(), kTrayIconId, tip);
    dialog_.mqtt_.NoteStateShown();   // band following's status may have changed
}

void CSwitchDlg::View::SettingsLoaded() {
    dialog_.bands_.Session().Reload();
    dialog_.mqtt_.Session().Reload();
}

void CSwitchDlg::View::WaitForSecondPress(bool on) {
    if (on) {
        SetTimer(dialog_.Handle(), kTrayClickTimer, GetDoubleClickTime(), nullptr);
    } else {
        KillTimer(dialog_.Handle(), kTrayClickTimer);
    }
}

void CSwitchDlg::View::StartRecheck(std::uint32_t intervalMs) {
    SetTimer(dialog_.Handle(), kRecheckTimer, intervalMs, nullptr);
}

void CSwitchDlg::View::StopRecheck() { KillTimer(dialog_.Handle(), kRecheckTimer); }

}  // namespace torvik::win32

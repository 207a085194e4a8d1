#include "app/win32/mqtt_dialog.h"

#include <optional>
#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/window.h"
#include "res/resource.h"

namespace torvik::win32 {
namespace {

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextW(dialog, id, WideFromUtf8(text).c_str());
    SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, mqtt::kMaxTextBytes, 0);
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

CMqttDlg::CMqttDlg(mqtt::MqttSession& session, HWND parent)
    : Dialog(IDD_MQTT_DIALOG, parent), session_(session) {}

BOOL CMqttDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    okButton.SubclassDlgItem(IDOK, hwnd_);
    cancelButton.SubclassDlgItem(IDCANCEL, hwnd_);
    const mqtt::Settings& stored = session_.CurrentSettings();
    CheckDlgButton(hwnd_, IDC_MQTT_ENABLED, stored.enabled ? BST_CHECKED : BST_UNCHECKED);
    SetItemText(hwnd_, IDC_MQTT_HOST, stored.host);
    SetItemText(hwnd_, IDC_MQTT_PORT, std::to_string(stored.port));
    SetItemText(hwnd_, IDC_MQTT_CLIENT_ID, stored.clientId);
    SetItemText(hwnd_, IDC_MQTT_USER, stored.user);
    SetItemText(hwnd_, IDC_MQTT_PASSWORD, "");   // the stored one stays unless one is typed
    CheckDlgButton(hwnd_, IDC_MQTT_TLS, stored.tls ? BST_CHECKED : BST_UNCHECKED);
    SetItemText(hwnd_, IDC_MQTT_CA_FILE, stored.caFile);
    SetItemText(hwnd_, IDC_MQTT_PREFIX, stored.prefix);
    const std::string status = session_.StatusLine();
    SetDlgItemTextA(hwnd_, IDC_MQTT_STATUS, status.empty() ? "MQTT: not connected" : status.c_str());
    return TRUE;
}

void CMqttDlg::OnOK() {
    const mqtt::Settings stored = session_.CurrentSettings();
    mqtt::Settings edited = stored;
    edited.enabled = Checked(hwnd_, IDC_MQTT_ENABLED);
    edited.host = WindowTextUtf8(Item(IDC_MQTT_HOST));
    edited.clientId = WindowTextUtf8(Item(IDC_MQTT_CLIENT_ID));
    edited.user = WindowTextUtf8(Item(IDC_MQTT_USER));
    edited.password =
        mqtt::DialogPassword(WindowTextUtf8(Item(IDC_MQTT_PASSWORD)), stored, edited.user);
    edited.tls = Checked(hwnd_, IDC_MQTT_TLS);
    edited.caFile = WindowTextUtf8(Item(IDC_MQTT_CA_FILE));
    edited.prefix = WindowTextUtf8(Item(IDC_MQTT_PREFIX));
    std::string problem = "the port is 1 to 65535";
    if (const std::optional<std::uint16_t> port = mqtt::ParsePort(WindowTextUtf8(Item(IDC_MQTT_PORT)))) {
        edited.port = *port;
        problem = session_.ChangeSettings(edited);
    }
    if (!problem.empty()) {
        MessageBoxA(hwnd_, ("The settings are refused: " + problem + ".").c_str(), "MQTT",
                    MB_OK | MB_ICONWARNING);
        return;
    }
    EndDialog(IDOK);
}

}  // namespace torvik::win32

#pragma once
// CMqttDlg: the modal "MQTT" dialog (template 106). It shows the session's settings (never the
// stored password) and status; OK hands the edited settings to the session, which checks and
// stores them; a refusal is told in a message box and the dialog stays open.

#include <windows.h>

#include "controls/win32/my_button.h"
#include "mqtt/mqtt_session.h"
#include "platform/win32/dialog.h"

namespace torvik::win32 {

class CMqttDlg : public Dialog {
public:
    CMqttDlg(mqtt::MqttSession& session, HWND parent);

    MyButton okButton;
    MyButton cancelButton;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    mqtt::MqttSession& session_;
};

}  // namespace torvik::win32

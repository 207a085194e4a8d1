#pragma once
// CRenameDlg: the modal "Rename antenna" dialog (template 105) of an antenna button's context
// menu. OK stores the name through the controller, which checks it; a refusal is told in a
// message box and the dialog stays open.

#include <windows.h>

#include "app/switch_controller.h"
#include "controls/win32/my_button.h"
#include "platform/win32/dialog.h"

namespace torvik::win32 {

class CRenameDlg : public Dialog {
public:
    CRenameDlg(SwitchController& controller, int antenna, HWND parent);

    MyButton okButton;
    MyButton cancelButton;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    SwitchController& controller_;
    int antenna_;
};

// The context menu of antenna button `antenna` at the screen point; "Rename..." runs the dialog.
void ShowAntennaMenu(HWND owner, SwitchController& controller, int antenna, POINT at);

}  // namespace torvik::win32

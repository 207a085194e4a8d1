#include "app/win32/rename_dialog.h"

#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/win_handle.h"
#include "res/resource.h"

namespace torvik::win32 {

CRenameDlg::CRenameDlg(SwitchController& controller, int antenna, HWND parent)
    : Dialog(IDD_RENAME_DIALOG, parent), controller_(controller), antenna_(antenna) {}

BOOL CRenameDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    okButton.SubclassDlgItem(IDOK, hwnd_);
    cancelButton.SubclassDlgItem(IDCANCEL, hwnd_);
    const std::string title = "Rename " + ShownName({}, antenna_);
    SetWindowTextUtf8(hwnd_, title);
    const std::wstring name =
        WideFromUtf8(controller_.Names()[static_cast<std::size_t>(antenna_)]);
    SetDlgItemTextW(hwnd_, IDC_RENAME_TEXT, name.c_str());
    SendDlgItemMessageW(hwnd_, IDC_RENAME_TEXT, EM_SETSEL, 0, -1);
    return TRUE;
}

void CRenameDlg::OnOK() {
    const std::string problem =
        controller_.RenameAntenna(antenna_, WindowTextUtf8(Item(IDC_RENAME_TEXT)));
    if (!problem.empty()) {
        MessageBoxA(hwnd_, ("The name is refused: " + problem + ".").c_str(), "Rename antenna",
                    MB_OK | MB_ICONWARNING);
        return;
    }
    EndDialog(IDOK);
}

void ShowAntennaMenu(HWND owner, SwitchController& controller, int antenna, POINT at) {
    if (!controller.DevicePresent()) return;
    UniqueHandle<MenuTraits> menu(CreatePopupMenu());
    if (!menu) return;
    AppendMenuA(menu.Get(), MF_STRING, ID_RENAME_ANTENNA, "Rename...");
    const BOOL chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0,
                                       owner, nullptr);
    if (chosen == ID_RENAME_ANTENNA) {
        CRenameDlg dialog(controller, antenna, owner);
        dialog.DoModal();
    }
}

}  // namespace torvik::win32

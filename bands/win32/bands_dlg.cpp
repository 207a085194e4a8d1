#include "bands/win32/bands_dlg.h"

#include "bands/dialog_input.h"
#include "bands/win32/winsock_rig_socket.h"
#include "res/resource.h"

namespace torvik::win32 {

const MessageEntry<CBandsDlg> CBandsDlg::kMessageMap[] = {
    OnCommand<CBandsDlg>(IDC_BANDS_FOLLOW, &CBandsDlg::OnFollowClicked),
    OnControl<CBandsDlg>(EN_CHANGE, IDC_BANDS_SOURCE, &CBandsDlg::OnFieldChanged),
    OnControl<CBandsDlg>(EN_CHANGE, IDC_BANDS_RULES, &CBandsDlg::OnFieldChanged),
};

CBandsDlg::CBandsDlg(bands::BandFollowing& following, HWND parent)
    : Dialog(IDD_BANDS_DIALOG, parent), following_(following) {}

bool CBandsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageMap<CBandsDlg>(*this, kMessageMap, message, wParam, lParam, result) ||
           Dialog::OnMessage(message, wParam, lParam, result);
}

BOOL CBandsDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    okButton.SubclassDlgItem(IDOK, hwnd_);
    cancelButton.SubclassDlgItem(IDCANCEL, hwnd_);
    followButton.SubclassDlgItem(IDC_BANDS_FOLLOW, hwnd_);
    const bands::BandPlan& plan = following_.plan();
    follow_ = plan.follow;
    followButton.SetChecked(follow_ ? 1 : 0, true);
    SetDlgItemTextA(hwnd_, IDC_BANDS_SOURCE, plan.source.c_str());
    SetDlgItemTextA(hwnd_, IDC_BANDS_RULES, bands::RulesBlock(plan.rules).c_str());
    ShowNotes();
    return TRUE;
}

std::string CBandsDlg::Text(int controlId) const {
    HWND control = Item(controlId);
    const int length = control != nullptr ? GetWindowTextLengthA(control) : 0;
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void CBandsDlg::ShowNotes() {
    const bands::DialogCheck check =
        bands::CheckDialogInput(follow_, Text(IDC_BANDS_SOURCE), Text(IDC_BANDS_RULES));
    SetDlgItemTextA(hwnd_, IDC_BANDS_NOTES,
                    bands::NotesText(check, following_.problems()).c_str());
}

LRESULT CBandsDlg::OnFollowClicked(WPARAM, LPARAM) {
    follow_ = !follow_;
    followButton.SetChecked(follow_ ? 1 : 0, true);
    return 0;
}

LRESULT CBandsDlg::OnFieldChanged(WPARAM, LPARAM) {
    ShowNotes();
    return 0;
}

void CBandsDlg::OnOK() {
    const bands::DialogCheck check =
        bands::CheckDialogInput(follow_, Text(IDC_BANDS_SOURCE), Text(IDC_BANDS_RULES));
    if (!check.plan) {
        MessageBoxA(hwnd_, check.error.c_str(), bands::kMessageCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    if (!following_.Store(*check.plan, MonotonicMillis())) {
        MessageBoxA(hwnd_, bands::kNotStoredText, bands::kMessageCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    EndDialog(IDOK);
}

}  // namespace torvik::win32

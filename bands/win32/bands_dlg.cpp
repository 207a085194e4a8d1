#include "bands/win32/bands_dlg.h"

#include "bands/dialog_input.h"
#include "bands/win32/winsock_rig_socket.h"
#include "platform/win32/window.h"
#include "res/resource.h"

namespace torvik::win32 {
namespace {

// An edit control breaks lines at CRLF only.
std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

const MessageEntry<CBandsDlg> CBandsDlg::kMessageMap[] = {
    OnCommand<CBandsDlg>(IDC_BANDS_FOLLOW, &CBandsDlg::OnFollowClicked),
    OnCommand<CBandsDlg>(IDC_BANDS_PROTECT, &CBandsDlg::OnProtectClicked),
    OnControl<CBandsDlg>(EN_CHANGE, IDC_BANDS_HANG, &CBandsDlg::OnFieldChanged),
    OnControl<CBandsDlg>(EN_CHANGE, IDC_BANDS_SOURCE, &CBandsDlg::OnFieldChanged),
    OnControl<CBandsDlg>(EN_CHANGE, IDC_BANDS_RULES, &CBandsDlg::OnFieldChanged),
};

CBandsDlg::CBandsDlg(bands::BandFollowing& following, HWND parent)
    : Dialog(IDD_BANDS_DIALOG, parent), dialog_(following, *this, MonotonicMillis) {}

bool CBandsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageMap<CBandsDlg>(*this, kMessageMap, message, wParam, lParam, result) ||
           Dialog::OnMessage(message, wParam, lParam, result);
}

BOOL CBandsDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    okButton.SubclassDlgItem(IDOK, hwnd_);
    cancelButton.SubclassDlgItem(IDCANCEL, hwnd_);
    followButton.SubclassDlgItem(IDC_BANDS_FOLLOW, hwnd_);
    protectButton.SubclassDlgItem(IDC_BANDS_PROTECT, hwnd_);
    dialog_.Start();
    return TRUE;
}

std::string CBandsDlg::SourceText() const { return WindowText(Item(IDC_BANDS_SOURCE)); }

std::string CBandsDlg::RulesText() const { return WindowText(Item(IDC_BANDS_RULES)); }

void CBandsDlg::ShowFields(const std::string& source, const std::string& rules) {
    SetDlgItemTextA(hwnd_, IDC_BANDS_SOURCE, source.c_str());
    SetDlgItemTextA(hwnd_, IDC_BANDS_RULES, WithCrLf(rules).c_str());
}

void CBandsDlg::ShowFollow(bool follow) { followButton.SetChecked(follow ? 1 : 0, true); }

void CBandsDlg::ShowProtect(bool protect) { protectButton.SetChecked(protect ? 1 : 0, true); }

std::string CBandsDlg::HangText() const { return WindowText(Item(IDC_BANDS_HANG)); }

void CBandsDlg::ShowHang(const std::string& hang) {
    SetDlgItemTextA(hwnd_, IDC_BANDS_HANG, hang.c_str());
}

void CBandsDlg::ShowNotes(const std::string& notes) {
    SetDlgItemTextA(hwnd_, IDC_BANDS_NOTES, notes.c_str());
}

void CBandsDlg::Warn(const std::string& text) {
    MessageBoxA(hwnd_, text.c_str(), bands::kMessageCaption, MB_OK | MB_ICONWARNING);
}

void CBandsDlg::Close() { EndDialog(IDOK); }

LRESULT CBandsDlg::OnFollowClicked(WPARAM, LPARAM) {
    dialog_.ToggleFollow();
    return 0;
}

LRESULT CBandsDlg::OnProtectClicked(WPARAM, LPARAM) {
    dialog_.ToggleProtect();
    return 0;
}

LRESULT CBandsDlg::OnFieldChanged(WPARAM, LPARAM) {
    dialog_.FieldChanged();
    return 0;
}

void CBandsDlg::OnOK() { dialog_.Ok(); }

}  // namespace torvik::win32

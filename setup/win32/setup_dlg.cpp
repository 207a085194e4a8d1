#include "setup/win32/setup_dlg.h"

#include <utility>
#include <vector>

#include "controls/win32/layout_window.h"
#include "res/resource.h"
#include "setup/key_table.h"
#include "setup/setup_ids.h"

namespace torvik::win32 {
namespace {

namespace ids = setup_ids;

}  // namespace

// Every click of the dialog's own buttons goes to the page logic, which knows them by id.
const MessageEntry<CSetupDlg> CSetupDlg::kMessageMap[] = {
    OnCommand<CSetupDlg>(IDC_PAGE_GLOBAL, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_PAGE1, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_PAGE2, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_PAGE3, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_PAGE4, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_ALT1, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_ALT2, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_ALT3, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_CTRL1, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_CTRL2, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_CTRL3, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_SHIFT1, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_SHIFT2, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_SHIFT3, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_WIN1, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_WIN2, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_WIN3, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_KEY1, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_KEY2, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_KEY3, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_DEACTIVATE, &CSetupDlg::OnButtonClicked),
    OnCommand<CSetupDlg>(IDC_AUTOSTART, &CSetupDlg::OnButtonClicked),
};

CSetupDlg::CSetupDlg(std::span<const char> serialField, HWND parent, SettingsStore& settings,
                     std::string programFolder, const ConfigBlock& inEffect)
    : Dialog(IDD_SETUP_DIALOG, parent),
      serialField_(serialField),
      settings_(settings),
      inEffect_(inEffect),
      autostart_(std::move(programFolder)),
      view_(*this),
      pages_(view_) {}

bool CSetupDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageMap<CSetupDlg>(*this, kMessageMap, message, wParam, lParam, result) ||
           Dialog::OnMessage(message, wParam, lParam, result);
}

void CSetupDlg::BindControls() {
    captionGroup = Item(ids::kCaptionGroup);
    programGroup = Item(ids::kProgramGroup);
    okButton.SubclassDlgItem(ids::kOk, hwnd_);
    cancelButton.SubclassDlgItem(ids::kCancel, hwnd_);
    autostartButton.SubclassDlgItem(ids::kAutostart, hwnd_);
    deactivateButton.SubclassDlgItem(ids::kDeactivate, hwnd_);
    programEdit = Item(ids::kProgramEdit);
    programStatic = Item(ids::kProgramStatic);
    for (std::size_t page = 0; page < pageButtons.size(); ++page) {
        pageButtons[page].SubclassDlgItem(ids::kPageButton[page], hwnd_);
    }
    for (std::size_t row = 0; row < keyButtons.size(); ++row) {
        keyButtons[row].SubclassDlgItem(ids::kKeyButton[row], hwnd_);
        altButtons[row].SubclassDlgItem(ids::kAltButton[row], hwnd_);
        ctrlButtons[row].SubclassDlgItem(ids::kCtrlButton[row], hwnd_);
        shiftButtons[row].SubclassDlgItem(ids::kShiftButton[row], hwnd_);
        winButtons[row].SubclassDlgItem(ids::kWinButton[row], hwnd_);
        antennaGroups[row] = Item(ids::kAntennaGroup[row]);
        keyLabels[row] = Item(ids::kKeyLabel[row]);
        plusLabels[row] = Item(ids::kPlusLabel[row]);
    }
}

BOOL CSetupDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    BindControls();
    for (MyButton& button : keyButtons) {
        button.SetKeyMenu(kKeyMenuResourceId);
    }
    pages_.Open(settings_, serialField_, autostart_, inEffect_);
    return TRUE;
}

void CSetupDlg::OnOK() {
    pages_.Close(SetupEnd::kOk, EditText(), settings_, autostart_);
    EndDialog(IDOK);
}

void CSetupDlg::OnCancel() {
    pages_.Close(SetupEnd::kCancel, EditText(), settings_, autostart_);
    EndDialog(IDCANCEL);
}

LRESULT CSetupDlg::OnButtonClicked(WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam);
    int chosenItem = 0;
    if (MyButton* button = ButtonById(id); button != nullptr && button->menuId != 0) {
        // A key button reports a click after a choice in its drop-down. Taking the choice here
        // keeps a later click from the keyboard (which drops nothing down) from repeating it.
        chosenItem = std::exchange(button->lastCommand, 0);
    }
    pages_.HandleClick(id, EditText(), chosenItem);
    return 0;
}

std::string CSetupDlg::EditText() const { return WindowText(programEdit); }

MyButton* CSetupDlg::ButtonById(int controlId) {
    switch (controlId) {
    case ids::kOk: return &okButton;
    case ids::kCancel: return &cancelButton;
    case ids::kAutostart: return &autostartButton;
    case ids::kDeactivate: return &deactivateButton;
    default: break;
    }
    const std::pair<std::span<MyButton>, const int*> groups[] = {
        {pageButtons, ids::kPageButton.data()},   {keyButtons, ids::kKeyButton.data()},
        {altButtons, ids::kAltButton.data()},     {ctrlButtons, ids::kCtrlButton.data()},
        {shiftButtons, ids::kShiftButton.data()}, {winButtons, ids::kWinButton.data()},
    };
    for (const auto& [buttons, idList] : groups) {
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (idList[i] == controlId) {
                return &buttons[i];
            }
        }
    }
    return nullptr;
}

// --- the page logic's view ---

void CSetupDlg::View::ShowControl(int controlId, bool show) { dialog_.ShowItem(controlId, show); }

void CSetupDlg::View::EnableControl(int controlId, bool enable) {
    dialog_.EnableItem(controlId, enable);
}

void CSetupDlg::View::SetChecked(int controlId, bool checked) {
    if (MyButton* button = dialog_.ButtonById(controlId); button != nullptr) {
        button->SetChecked(checked ? 1 : 0, true);
    }
}

void CSetupDlg::View::SetText(int controlId, std::string_view text) {
    if (HWND control = dialog_.Item(controlId); control != nullptr) {
        const std::string terminated(text);
        SetWindowTextA(control, terminated.c_str());
    }
}

void CSetupDlg::View::LayoutButtonRow(std::span<const int> controlIds, int gap) {
    std::vector<HWND> row;
    for (const int id : controlIds) {
        row.push_back(dialog_.Item(id));
    }
    LayoutWindowRow(row, gap);
}

void CSetupDlg::View::SelectKey(int controlId, int position) {
    if (MyButton* button = dialog_.ButtonById(controlId); button != nullptr) {
        button->SelectMenuItem(position, nullptr);
    }
}

}  // namespace torvik::win32

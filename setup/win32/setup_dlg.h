#pragma once
// CSetupDlg: the modal setup dialog (template 103). It edits a copy of the box's five
// configurations and the autostart wish through SetupPages; this class only binds the template's
// controls, forwards their clicks and shows what the page logic asks for.

#include <windows.h>

#include <array>
#include <span>
#include <string>

#include "controls/win32/my_button.h"
#include "core/settings.h"
#include "platform/win32/dialog.h"
#include "platform/win32/message_map.h"
#include "setup/setup_model.h"
#include "setup/win32/registry_autostart.h"

namespace torvik::win32 {

class CSetupDlg : public Dialog {
public:
    // serialField is the box's serial-number field, owned by the main window and read (not
    // copied) when the dialog opens and again at OK, so that OK writes the section of the box the
    // main window holds then. settings is the settings file of programFolder.
    // inEffect: the records the main window runs on, shown when no CONFIG is stored.
    CSetupDlg(std::span<const char> serialField, HWND parent, SettingsStore& settings,
              std::string programFolder, const ConfigBlock& inEffect);

    // Member controls, bound when the dialog initialises.
    HWND captionGroup = nullptr;
    HWND programGroup = nullptr;
    MyButton okButton;
    MyButton cancelButton;
    MyButton autostartButton;
    MyButton deactivateButton;
    HWND programEdit = nullptr;
    HWND programStatic = nullptr;
    std::array<MyButton, SetupPages::kPageCount> pageButtons;
    std::array<MyButton, SetupPages::kRows> keyButtons;
    std::array<MyButton, SetupPages::kRows> altButtons;
    std::array<MyButton, SetupPages::kRows> ctrlButtons;
    std::array<MyButton, SetupPages::kRows> shiftButtons;
    std::array<MyButton, SetupPages::kRows> winButtons;
    std::array<HWND, SetupPages::kRows> antennaGroups{};
    std::array<HWND, SetupPages::kRows> keyLabels{};
    std::array<HWND, SetupPages::kRows> plusLabels{};

    const SetupPages& Pages() const { return pages_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The dialog as the page logic sees it.
    class View final : public SetupView {
    public:
        explicit View(CSetupDlg& dialog) : dialog_(dialog) {}
        void ShowControl(int controlId, bool show) override;
        void EnableControl(int controlId, bool enable) override;
        void SetChecked(int controlId, bool checked) override;
        void SetText(int controlId, std::string_view text) override;
        void SelectKey(int controlId, int position) override;
        void LayoutButtonRow(std::span<const int> controlIds, int gap) override;

    private:
        CSetupDlg& dialog_;
    };

    void BindControls();
    // Sizes the page buttons and each row's modifier buttons to their captions over the spans
    // the template gives them.
    MyButton* ButtonById(int controlId);
    std::string EditText() const;

    LRESULT OnButtonClicked(WPARAM wParam, LPARAM lParam);

    static const MessageEntry<CSetupDlg> kMessageMap[];

    std::span<const char> serialField_;
    SettingsStore& settings_;
    ConfigBlock inEffect_;
    RegistryAutostart autostart_;
    View view_;
    SetupPages pages_;
};

}  // namespace torvik::win32

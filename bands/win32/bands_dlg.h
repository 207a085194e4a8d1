#pragma once
// CBandsDlg: the modal "Band following" dialog (template 104). What it shows and does is the
// core's BandsDialog; this window reads and fills its controls and shows the messages.

#include <windows.h>

#include <string>

#include "bands/bands_dialog.h"
#include "controls/win32/my_button.h"
#include "platform/win32/dialog.h"
#include "platform/win32/message_map.h"

namespace torvik::win32 {

class CBandsDlg : public Dialog, private bands::BandsDialogView {
public:
    CBandsDlg(bands::BandFollowing& following, HWND parent);

    MyButton okButton;
    MyButton cancelButton;
    MyButton followButton;
    MyButton protectButton;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::string SourceText() const override;
    std::string RulesText() const override;
    void ShowFields(const std::string& source, const std::string& rules) override;
    void ShowFollow(bool follow) override;
    void ShowProtect(bool protect) override;
    std::string HangText() const override;
    void ShowHang(const std::string& hang) override;
    void ShowNotes(const std::string& notes) override;
    void Warn(const std::string& text) override;
    void Close() override;

    LRESULT OnFollowClicked(WPARAM wParam, LPARAM lParam);
    LRESULT OnProtectClicked(WPARAM wParam, LPARAM lParam);
    LRESULT OnFieldChanged(WPARAM wParam, LPARAM lParam);

    static const MessageEntry<CBandsDlg> kMessageMap[];

    bands::BandsDialog dialog_;
};

}  // namespace torvik::win32

#pragma once
// CBandsDlg: the modal "Band following" dialog (template 104). It edits the switch, the source
// and the rules of the present box as text; OK stores them through BandFollowing (which
// checks them in the core) and stays open with a message when something is wrong.

#include <windows.h>

#include <string>

#include "bands/band_following.h"
#include "controls/win32/my_button.h"
#include "platform/win32/dialog.h"
#include "platform/win32/message_map.h"

namespace torvik::win32 {

class CBandsDlg : public Dialog {
public:
    CBandsDlg(bands::BandFollowing& following, HWND parent);

    MyButton okButton;
    MyButton cancelButton;
    MyButton followButton;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::string Text(int controlId) const;
    // The notes under the rules: the first mistake, or where rules overlap.
    void ShowNotes();

    LRESULT OnFollowClicked(WPARAM wParam, LPARAM lParam);
    LRESULT OnFieldChanged(WPARAM wParam, LPARAM lParam);

    static const MessageEntry<CBandsDlg> kMessageMap[];

    bands::BandFollowing& following_;
    bool follow_ = false;
};

}  // namespace torvik::win32

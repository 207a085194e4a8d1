#pragma once
// A dialog made from a dialog template by resource id and run modally by our own modal loop,
// so that the owner decides whether the window is shown when the loop starts.

#include "platform/win32/window.h"

namespace torvik::win32 {

// Flags of RunModalLoop.
inline constexpr DWORD MLF_NOIDLEMSG = 0x0001;   // no WM_ENTERIDLE to the owner
inline constexpr DWORD MLF_NOKICKIDLE = 0x0002;  // accepted for completeness; no idle work here
inline constexpr DWORD MLF_SHOWONIDLE = 0x0004;  // show the dialog the first time the queue is empty

// Registers a window class that dialog templates can name (CLASS in the template): the
// system's dialog procedure with the dialog's extra bytes. Registering it again is harmless.
void RegisterDialogClass(const char* className);

class Dialog : public Window {
public:
    Dialog(UINT templateId, HWND parent);
    ~Dialog() override;

    // Creates the dialog, runs the modal loop and destroys the dialog; answers the code given
    // to EndDialog, or -1 when the template is missing or creation fails.
    virtual INT_PTR DoModal();

    // Ends the modal loop with code; the window is hidden and destroyed by DoModal.
    void EndDialog(int code);

    // Keyboard navigation of the dialog (IsDialogMessage) for its own and its controls'
    // keyboard messages.
    bool PreTranslateMessage(MSG& msg) override;

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    bool InModal() const { return inModal_; }

protected:
    // Runs during creation; TRUE lets the dialog manager set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // DoModal with the modal loop's flags chosen by the caller (MLF_NOIDLEMSG is added when
    // the template has DS_NOIDLEMSG).
    INT_PTR RunModal(DWORD loopFlags);
    // Pumps messages until EndDialog; answers the end code.
    int RunModalLoop(DWORD flags);

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND parent_;
    bool inModal_ = false;
    int endCode_ = -1;
};

}  // namespace torvik::win32

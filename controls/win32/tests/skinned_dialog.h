#pragma once
// A dialog made from one of the program's templates, with every button of it attached as a
// MyButton the way the program's windows attach theirs. Shared by the paint tests and the
// paint benchmark.

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/win32/my_button.h"

namespace torvik::win32::testing {

class SkinnedDialog {
public:
    // Creates the dialog hidden from template templateId of the resource module; Exists()
    // tells whether that worked.
    explicit SkinnedDialog(UINT templateId);
    ~SkinnedDialog();
    SkinnedDialog(const SkinnedDialog&) = delete;
    SkinnedDialog& operator=(const SkinnedDialog&) = delete;

    bool Exists() const { return hwnd_ != nullptr; }
    HWND Handle() const { return hwnd_; }
    // The attached button with this control id; nullptr when there is none.
    MyButton* Button(int id) const;
    const std::vector<std::unique_ptr<MyButton>>& Buttons() const { return buttons_; }

    // Shows the window at (x, y) of the screen, paints it and lets it settle.
    void ShowAt(int x, int y);

private:
    HWND hwnd_ = nullptr;
    std::vector<std::unique_ptr<MyButton>> buttons_;
};

// Dresses template 102 as the main window does: shared palette and fonts, the banner's
// centred picture with the flat look and the sunken frame, the Manual button's picture at the
// left of its bold caption, and the status text hidden as while a box is present.
void DressMainWindow(SkinnedDialog& dialog);

// Dispatches whatever is queued, for at most the given time.
void PumpMessages(DWORD milliseconds);

}  // namespace torvik::win32::testing

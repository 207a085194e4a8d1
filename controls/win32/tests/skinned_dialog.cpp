#include "controls/win32/tests/skinned_dialog.h"

#include "app/win32/window_messages.h"
#include "controls/geometry.h"
#include "controls/win32/layout_window.h"
#include "controls/win32/skin_resources.h"
#include "platform/win32/dialog.h"
#include "res/resource.h"

namespace torvik::win32::testing {
namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The antenna buttons share their row by caption width, 2 pixels apart, as in the program.
void LayOutAntennaRow(const SkinnedDialog& dialog) {
    const MyButton* first = dialog.Button(IDC_ANTENNA1);
    const MyButton* last = dialog.Button(IDC_ANTENNA3);
    if (first == nullptr || last == nullptr || dialog.Button(IDC_ANTENNA2) == nullptr) {
        return;
    }
    const RECT left = ChildRect(first->Handle());
    const RECT right = ChildRect(last->Handle());
    std::vector<LayoutHwnd> row;
    for (const int id : {IDC_ANTENNA1, IDC_ANTENNA2, IDC_ANTENNA3}) {
        row.emplace_back(dialog.Button(id)->Handle());
    }
    std::vector<LayoutWindow*> windows;
    for (LayoutHwnd& window : row) {
        windows.push_back(&window);
    }
    LayoutRow(Rect{left.left, left.top, right.right, left.bottom}, windows,
              static_cast<int>(windows.size()), 2);
}

bool IsPushStyleButton(HWND child) {
    char className[16] = "";
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpiA(className, "Button") != 0) {
        return false;
    }
    return (GetWindowLongPtrA(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
}

}  // namespace

SkinnedDialog::SkinnedDialog(UINT templateId) {
    RegisterDialogClass(msg::kMainWindowClass);   // the main window's template names it
    hwnd_ = CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId), nullptr,
                               QuietDialogProc, 0);
    if (hwnd_ == nullptr) {
        return;
    }
    // The faces as a mouse user sees them: no keyboard focus cue.
    SendMessageA(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsPushStyleButton(child)) {
            auto button = std::make_unique<MyButton>();
            if (button->SubclassWindow(child)) {
                buttons_.push_back(std::move(button));
            }
        }
    }
}

SkinnedDialog::~SkinnedDialog() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);  // the buttons let go of their windows as these go
    }
}

MyButton* SkinnedDialog::Button(int id) const {
    for (const auto& button : buttons_) {
        if (button->ControlId() == id) {
            return button.get();
        }
    }
    return nullptr;
}

void SkinnedDialog::ShowAt(int x, int y) {
    SetWindowPos(hwnd_, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
    PumpMessages(300);
}

void DressMainWindow(SkinnedDialog& dialog) {
    InitSkinResources();
    if (MyButton* banner = dialog.Button(IDC_BANNER); banner != nullptr) {
        banner->SetImage(IDR_BANNER, 3);
        banner->look.lookStyle = 1;
        banner->look.frameStyle = 2;
    }
    if (MyButton* manual = dialog.Button(IDC_MANUAL); manual != nullptr) {
        manual->SetImage(IDB_MANUAL_IMAGE, 1);
        manual->look.fontChoice = 1;
    }
    if (HWND status = GetDlgItem(dialog.Handle(), IDC_STATUS_TEXT); status != nullptr) {
        ShowWindow(status, SW_HIDE);
    }
    LayOutAntennaRow(dialog);
}

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

}  // namespace torvik::win32::testing

#include "platform/win32/dialog.h"

#include "platform/win32/message_map.h"

namespace torvik::win32 {
namespace {

// Messages whose dialog-procedure answer is the result itself rather than "handled".
bool AnswersDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

}  // namespace

void RegisterDialogClass(const char* className) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = ResourceInstance();
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));   // IDC_ARROW
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);   // fails harmlessly when it is registered already
}

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    if (Exists()) {
        DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::DoModal() { return RunModal(MLF_SHOWONIDLE); }

INT_PTR Dialog::RunModal(DWORD loopFlags) {
    HINSTANCE instance = ResourceInstance();
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId_), MAKEINTRESOURCEA(5));
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    auto* dialogTemplate = loaded != nullptr ? static_cast<LPCDLGTEMPLATEA>(LockResource(loaded))
                                             : nullptr;
    if (dialogTemplate == nullptr) {
        return -1;
    }

    // A modal dialog disables its owner for as long as it runs.
    HWND owner = parent_ != nullptr ? GetAncestor(parent_, GA_ROOT) : nullptr;
    const bool ownerDisabled = owner != nullptr && IsWindowEnabled(owner) != FALSE;
    if (ownerDisabled) {
        EnableWindow(owner, FALSE);
    }

    inModal_ = true;
    endCode_ = -1;
    HWND created = CreateDialogIndirectParamA(instance, dialogTemplate, owner, DialogProc,
                                              reinterpret_cast<LPARAM>(this));
    if (created != nullptr && inModal_ && Exists()) {
        DWORD flags = loopFlags;
        if ((GetWindowLongPtrA(hwnd_, GWL_STYLE) & DS_NOIDLEMSG) != 0) {
            flags |= MLF_NOIDLEMSG;
        }
        RunModalLoop(flags);
    }
    inModal_ = false;
    if (Exists()) {
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }

    if (ownerDisabled) {
        EnableWindow(owner, TRUE);
    }
    if (owner != nullptr && hwnd_ != nullptr && GetActiveWindow() == hwnd_) {
        SetActiveWindow(owner);
    }
    if (Exists()) {
        DestroyWindow(hwnd_);
    }
    return created != nullptr ? endCode_ : -1;
}

int Dialog::RunModalLoop(DWORD flags) {
    bool showOnIdle = (flags & MLF_SHOWONIDLE) != 0 &&
                      (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) == 0;
    const bool sendIdle = (flags & MLF_NOIDLEMSG) == 0;
    while (inModal_) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) == FALSE) {
            if (showOnIdle) {
                ShowWindow(hwnd_, SW_SHOWNORMAL);
                UpdateWindow(hwnd_);
                showOnIdle = false;
            }
            if (HWND owner = GetWindow(hwnd_, GW_OWNER); sendIdle && owner != nullptr) {
                SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(hwnd_));
            }
        }
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT: end this loop and leave the message for any loop outside.
            PostQuitMessage(static_cast<int>(msg.wParam));
            inModal_ = false;
            break;
        }
        if (got == -1) {
            inModal_ = false;
            break;
        }
        if (!WalkPreTranslateTree(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return endCode_;
}

void Dialog::EndDialog(int code) {
    endCode_ = code;
    if (inModal_) {
        inModal_ = false;
        // Wakes the loop when the end came from a message sent by another thread, which
        // GetMessage handles without returning.
        if (hwnd_ != nullptr) {
            PostMessageA(hwnd_, WM_NULL, 0, 0);
        }
    }
}

bool Dialog::PreTranslateMessage(MSG& msg) {
    if (hwnd_ == nullptr || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) {
        return false;
    }
    if (msg.hwnd != hwnd_ && IsChild(hwnd_, msg.hwnd) == FALSE) {
        return false;
    }
    return IsDialogMessageA(hwnd_, &msg) != FALSE;
}

bool Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        if (CommandCode(wParam, lParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                result = 0;
                return true;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                result = 0;
                return true;
            }
        }
        return false;
    default:
        return Window::OnMessage(message, wParam, lParam, result);
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->Attach(hwnd);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }

    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->OnMessage(message, wParam, lParam, result);
    } catch (...) {
        // Nothing may unwind through the window system: the run ends with -1.
        self->EndDialog(-1);
        handled = false;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->Detach();
    }
    if (!handled) {
        return FALSE;
    }
    if (AnswersDirectly(message)) {
        return static_cast<INT_PTR>(result);
    }
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace torvik::win32

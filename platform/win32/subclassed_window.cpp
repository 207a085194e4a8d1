#include "platform/win32/subclassed_window.h"

#include <commctrl.h>

namespace torvik::win32 {
namespace {
constexpr UINT_PTR kSubclassId = 1;
}

SubclassedWindow::~SubclassedWindow() { UnsubclassWindow(); }

bool SubclassedWindow::SubclassWindow(HWND hwnd) {
    if (hwnd == nullptr || hwnd_ != nullptr || IsWindow(hwnd) == FALSE) {
        return false;
    }
    Attach(hwnd);
    PreSubclassWindow();
    if (SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) ==
        FALSE) {
        Detach();
        return false;
    }
    return true;
}

bool SubclassedWindow::SubclassDlgItem(int id, HWND parent) {
    return SubclassWindow(GetDlgItem(parent, id));
}

void SubclassedWindow::UnsubclassWindow() {
    if (hwnd_ != nullptr) {
        RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
        Detach();
    }
}

LRESULT SubclassedWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<SubclassedWindow*>(refData);
    if (message == WM_NCDESTROY) {
        self->UnsubclassWindow();
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        if (self->OnMessage(message, wParam, lParam, result)) {
            return result;
        }
    } catch (...) {
        // Nothing may unwind through the window system; the control's own handling runs.
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace torvik::win32

#pragma once
// A control object attached to a window that already exists (typically a control of a dialog
// template): its messages pass through the object's OnMessage first, everything else goes on
// to the control's own window procedure.

#include "platform/win32/window.h"

namespace torvik::win32 {

class SubclassedWindow : public Window {
public:
    SubclassedWindow() = default;
    ~SubclassedWindow() override;

    // Attaches to hwnd: PreSubclassWindow runs, then the window's messages come here.
    bool SubclassWindow(HWND hwnd);
    // Attaches to the control with this id in parent.
    bool SubclassDlgItem(int id, HWND parent);
    void UnsubclassWindow();

protected:
    // Runs once the handle is known, before the first message is routed here.
    virtual void PreSubclassWindow() {}
    // The control's own handling of a message.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR refData);
};

// The framework's name for an attached control.
using Control = SubclassedWindow;

}  // namespace torvik::win32

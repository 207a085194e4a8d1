#pragma once
// The antenna buttons' names: each button's caption (the painter cuts a long one with an
// ellipsis), the whole name in a tooltip, and the button's context menu with "Rename...".

#include <windows.h>

#include <array>

#include "app/switch_controller.h"

namespace torvik::win32 {

class AntennaCaptions {
public:
    // The buttons exist by now; the tooltip window is owned by the dialog and goes with it.
    void Attach(HWND dialog, const std::array<HWND, 3>& buttons);
    void Show(const AntennaNames& names);
    // WM_CONTEXTMENU on an antenna button: its menu, and true.
    bool OnContextMenu(WPARAM wParam, LPARAM lParam, SwitchController& controller);

private:
    HWND dialog_ = nullptr;
    HWND tooltip_ = nullptr;
    std::array<HWND, 3> buttons_{};
};

}  // namespace torvik::win32

#pragma once
// MyButton: the skinned button of every window. It takes over a template button, paints it
// entirely by itself, keeps its own hover, press and checked states, reports a click to its
// parent when the left button goes down, and can drop a menu down as a chooser.

#include <windows.h>

#include "platform/win32/message_map.h"
#include "platform/win32/subclassed_window.h"
#include "platform/win32/win_handle.h"

namespace torvik::win32 {

// Sent to the parent on a right-button press: wParam the control id, lParam 0.
inline constexpr UINT WM_BUTTON_RCLICK = 0x2340;

class MyButton : public Control {
public:
    MyButton() = default;

    // Plain fields the owner window sets and reads directly.
    int checked = 0;
    int fontChoice = 0;              // 0 normal, 1 bold, 2 large font
    int selectedItem = -1;           // drop-down item shown checked; -1 none
    unsigned int menuId = 0;         // drop-down menu resource; 0 plain button
    int lastCommand = -1;            // command of the latest drop-down; 0 dismissed
    COLORREF textColor = static_cast<COLORREF>(-1);  // -1: the palette decides
    int menuOpen = 0;
    int pressed = 0;
    int hover = 0;
    int captured = 0;
    int imageAlign = 0;              // 0 right of the caption, 3 centred, other left of it
    int lookStyle = 0;               // 0 raised gradient, 1 flat, 2 soft gradient
    int frameStyle = 0;              // 0 rounded, 2 sunken while checked, other none
    ImageListHandle imageList;
    int imageWidth = 0;
    int imageHeight = 0;

    // Stores and shows a new checked state; the same state again changes nothing.
    void SetChecked(int state, bool redraw);
    // Loads a bitmap resource as the button's masked image (magenta is transparent); id 0
    // removes the image. The alignment is stored in any case.
    void SetImage(unsigned int bitmapId, int align);
    void SetKeyMenu(unsigned int id) { menuId = id; }
    // Shows position as the drop-down's checked item; the caption becomes the given text, or
    // the menu item's text when none is given.
    void SelectMenuItem(int position, const char* caption);

protected:
    void PreSubclassWindow() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateUiState(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);

    void RunDropDown();
    void NotifyClicked();
    void ReleaseOwnCapture();

    static const MessageEntry<MyButton> kMessageMap[];
};

}  // namespace torvik::win32

#pragma once
// MyButton: the skinned button of every window. It takes over a template button, paints it
// entirely by itself, keeps its own hover, press and checked states, reports a click to its
// parent when the left button goes down, and can drop a menu down as a chooser.

#include <windows.h>

#include "controls/button_look.h"
#include "platform/win32/message_map.h"
#include "platform/win32/subclassed_window.h"
#include "platform/win32/win_handle.h"

namespace torvik::win32 {

// Sent to the parent on a right-button press: wParam the control id, lParam 0.
inline constexpr UINT WM_BUTTON_RCLICK = 0x2340;

// The fields the face depends on (ButtonFields: checked, look, menuId as the drop-down menu
// resource, textColor, pressed, hover) are shared with the Qt button; the owner window sets
// them and the others directly.
class MyButton : public Control, public ButtonFields {
public:
    MyButton() = default;

    int selectedItem = -1;           // drop-down item shown checked; -1 none
    int lastCommand = -1;            // command of the latest drop-down; 0 dismissed
    int menuOpen = 0;
    int captured = 0;
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

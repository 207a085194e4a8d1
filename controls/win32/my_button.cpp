#include "controls/win32/my_button.h"

#include <windowsx.h>

#include <iterator>
#include <span>

#include "controls/win32/button_painter.h"

namespace torvik::win32 {
namespace {

constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// The image list's colour depth by the bitmap's. Palette bitmaps (8 bits and fewer) go into a
// true-colour list: a palette list maps every colour to the system's halftone palette, and
// some window systems then fail to clear the masked pixels, so magenta shows through.
UINT ColourDepthFlag(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 16: return ILC_COLOR16;
    case 32: return ILC_COLOR32;
    default: return ILC_COLOR24;
    }
}

// A 24-bit copy of a bitmap. The mask of a masked image is made by comparing each pixel with the
// mask colour; in a palette bitmap that comparison goes by the palette entry nearest to the mask
// colour, which turns every pixel of that entry transparent even when the palette holds no
// magenta at all. In a true-colour copy only magenta itself matches.
BitmapHandle TrueColourCopy(HBITMAP source, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc from(CreateCompatibleDC(nullptr));
    MemoryDc to(CreateCompatibleDC(nullptr));
    if (!copy || !from || !to) {
        return {};
    }
    SelectGuard fromSelected(from.Get(), source);
    SelectGuard toSelected(to.Get(), copy.Get());
    if (BitBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, SRCCOPY) == FALSE) {
        return {};
    }
    GdiFlush();
    return copy;
}

}  // namespace

const MessageEntry<MyButton> MyButton::kMessageMap[] = {
    OnMsg<MyButton>(WM_PAINT, &MyButton::OnPaint),
    OnMsg<MyButton>(WM_ERASEBKGND, &MyButton::OnEraseBackground),
    OnMsg<MyButton>(WM_RBUTTONDOWN, &MyButton::OnRightButtonDown),
    OnMsg<MyButton>(WM_LBUTTONDOWN, &MyButton::OnLeftButtonDown),
    // The button class has double clicks on: the second press of a quick pair arrives as a
    // double click. It is a press like any other, so a toggle clicked twice ends as it was.
    OnMsg<MyButton>(WM_LBUTTONDBLCLK, &MyButton::OnLeftButtonDown),
    OnMsg<MyButton>(WM_LBUTTONUP, &MyButton::OnLeftButtonUp),
    OnMsg<MyButton>(WM_KILLFOCUS, &MyButton::OnKillFocus),
    OnMsg<MyButton>(WM_SETFOCUS, &MyButton::OnSetFocus),
    OnMsg<MyButton>(WM_UPDATEUISTATE, &MyButton::OnUpdateUiState),
    OnMsg<MyButton>(WM_MOUSEMOVE, &MyButton::OnMouseMove),
    OnMsg<MyButton>(WM_ENABLE, &MyButton::OnEnable),
    OnMsg<MyButton>(WM_CAPTURECHANGED, &MyButton::OnCaptureChanged),
};

bool MyButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageMap<MyButton>(*this, kMessageMap, message, wParam, lParam, result) ||
           Control::OnMessage(message, wParam, lParam, result);
}

void MyButton::PreSubclassWindow() {
    // Owner-drawn: the window system stops drawing the button and toggling its check state.
    LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    if ((style & BS_FLAT) != 0) {
        look.lookStyle = 1;
    }
    style = (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW;
    SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
}

void MyButton::SetChecked(int state, bool redraw) {
    if (state == checked) {
        return;
    }
    checked = state;
    if (hwnd_ != nullptr) {
        SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
    if (redraw) {
        RedrawNow();
    }
}

void MyButton::SetImage(unsigned int bitmapId, int align) {
    look.imageAlign = align;
    const WORD resourceId = LOWORD(bitmapId);
    if (resourceId == 0) {
        imageList.Reset();
        imageWidth = 0;
        imageHeight = 0;
        RedrawNow();
        return;
    }

    BitmapHandle loaded(static_cast<HBITMAP>(
        LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0,
                   LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS)));
    imageList.Reset();
    imageWidth = 0;
    imageHeight = 0;
    BITMAP info{};
    if (loaded && GetObjectA(loaded.Get(), sizeof(info), &info) == sizeof(info)) {
        imageList.Reset(ImageList_Create(info.bmWidth, info.bmHeight,
                                         ILC_MASK | ColourDepthFlag(info.bmBitsPixel), 0, 0));
        // Adding a masked image blackens the masked pixels of its source: give it a copy.
        BitmapHandle copy = TrueColourCopy(loaded.Get(), info.bmWidth, info.bmHeight);
        if (imageList && copy && ImageList_AddMasked(imageList.Get(), copy.Get(), kMaskColour) >= 0) {
            imageWidth = info.bmWidth;
            imageHeight = info.bmHeight;
        } else {
            imageList.Reset();
        }
    }
    RedrawNow();
}

void MyButton::SelectMenuItem(int position, const char* caption) {
    selectedItem = position;
    if (hwnd_ == nullptr) {
        return;
    }
    if (caption != nullptr) {
        SetWindowTextA(hwnd_, caption);
    } else if (menuId != 0 && position != -1) {
        char text[256] = "";
        MenuHandle menu(LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(LOWORD(menuId))));
        HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
        if (popup == nullptr ||
            GetMenuStringA(popup, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION) <= 0) {
            text[0] = '\0';
        }
        SetWindowTextA(hwnd_, text);
    }
    RedrawNow();
}

LRESULT MyButton::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client;
        GetClientRect(hwnd_, &client);
        PaintButton(dc, client, *this);
    }
    EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT MyButton::OnEraseBackground(WPARAM, LPARAM) {
    return 1;  // the paint covers every pixel
}

LRESULT MyButton::OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
    if (HWND parent = Parent(); parent != nullptr) {
        SendMessageA(parent, WM_BUTTON_RCLICK, static_cast<WPARAM>(ControlId()), 0);
    }
    return Default(WM_RBUTTONDOWN, wParam, lParam);
}

LRESULT MyButton::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
    if (menuId != 0) {
        RunDropDown();
    } else {
        Default(WM_LBUTTONDOWN, wParam, lParam);
        NotifyClicked();
    }
    RedrawNow();
    return 0;
}

LRESULT MyButton::OnLeftButtonUp(WPARAM wParam, LPARAM lParam) {
    hover = 0;
    pressed = 0;
    // The click was reported at button-down. Whoever holds the capture (this control after a
    // mouse move, or the button's own handling after a press without one), letting go of it
    // first ends the button's pushed state, so the release reports no second click.
    if (captured != 0 || GetCapture() == hwnd_) {
        ReleaseCapture();
        captured = 0;
    }
    const LRESULT result = Default(WM_LBUTTONUP, wParam, lParam);
    RedrawNow();
    return result;
}

LRESULT MyButton::OnKillFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(WM_KILLFOCUS, wParam, lParam);
    ReleaseOwnCapture();
    pressed = 0;
    hover = 0;
    RedrawNow();
    return result;
}

LRESULT MyButton::OnSetFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(WM_SETFOCUS, wParam, lParam);
    RedrawNow();   // the focus cue
    return result;
}

LRESULT MyButton::OnUpdateUiState(WPARAM wParam, LPARAM lParam) {
    // The window's focus cues were switched on or off (keyboard use): the focused button
    // shows or drops its cue.
    const LRESULT result = Default(WM_UPDATEUISTATE, wParam, lParam);
    if (GetFocus() == hwnd_) {
        RedrawNow();
    }
    return result;
}

LRESULT MyButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    bool changed = false;
    bool repainted = false;
    RECT client;
    GetClientRect(hwnd_, &client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool leftHeld = (wParam & MK_LBUTTON) != 0;

    if (PtInRect(&client, point) != FALSE) {
        if (hover == 0) {
            hover = 1;
            changed = true;
        }
        if (leftHeld && pressed == 0) {
            pressed = 1;
            changed = true;
        }
        if (captured == 0) {
            // Holding the capture lets the control see the pointer leave.
            SetCapture(hwnd_);
            captured = 1;
            RedrawNow();
            repainted = true;
        }
    } else {
        if (leftHeld) {
            if (pressed == 1) {
                pressed = 0;
                changed = true;
            }
        } else if (hover == 1) {
            hover = 0;
            changed = true;
        }
        if (captured == 1 && wParam == 0) {
            ReleaseCapture();
            captured = 0;
            RedrawNow();
            repainted = true;
        }
    }
    if (changed && !repainted) {
        RedrawNow();
    }
    return Default(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT MyButton::OnEnable(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(WM_ENABLE, wParam, lParam);
    if (wParam == FALSE) {
        // A disabled window sees no more mouse moves: the pointer's leaving would never come,
        // and the hover look would stay on a button that takes no click.
        hover = 0;
        pressed = 0;
        ReleaseOwnCapture();
    }
    RedrawNow();
    return result;
}

LRESULT MyButton::OnCaptureChanged(WPARAM wParam, LPARAM lParam) {
    // Another window took the capture: it is no longer ours to release.
    if (reinterpret_cast<HWND>(lParam) != hwnd_) {
        captured = 0;
    }
    return Default(WM_CAPTURECHANGED, wParam, lParam);
}

void MyButton::RunDropDown() {
    HWND parent = Parent();
    if (menuId == 0 || menuOpen != 0 || parent == nullptr) {
        return;
    }
    menuOpen = 1;
    RECT window;
    GetWindowRect(hwnd_, &window);
    RedrawNow();
    ReleaseOwnCapture();

    MenuHandle menu(LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(LOWORD(menuId))));
    if (HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr; popup != nullptr) {
        if (selectedItem != -1) {
            const int count = GetMenuItemCount(popup);
            for (int position = 0; position < count; ++position) {
                CheckMenuItem(popup, static_cast<UINT>(position),
                              MF_BYPOSITION |
                                  (position == selectedItem ? MF_CHECKED : MF_UNCHECKED));
            }
        }
        const BOOL command =
            TrackPopupMenu(popup, TPM_RETURNCMD, window.left, window.bottom, 0, parent, nullptr);
        lastCommand = static_cast<int>(command);
        if (command != 0) {
            NotifyClicked();
        }
    }

    pressed = 0;
    hover = 0;
    menuOpen = 0;
    RedrawNow();
    ReleaseOwnCapture();
}

void MyButton::NotifyClicked() {
    if (HWND parent = Parent(); parent != nullptr && hwnd_ != nullptr) {
        SendMessageA(parent, WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(ControlId()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd_));
    }
}

void MyButton::ReleaseOwnCapture() {
    if (captured != 0) {
        ReleaseCapture();
        captured = 0;
    }
}

}  // namespace torvik::win32

#pragma once
// The base of every window object of the framework: it wraps one HWND, finds the object of a
// handle, and offers messages to PreTranslateMessage before they are dispatched.

#include <windows.h>

#include <string>
#include <string_view>

namespace torvik::win32 {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr && IsWindow(hwnd_) != FALSE; }

    // The framework object attached to hwnd, or nullptr.
    static Window* FromHandle(HWND hwnd);

    // Looks at a message before it is translated and dispatched; true consumes it.
    virtual bool PreTranslateMessage(MSG& msg);

    // Offers msg to PreTranslateMessage of the window it is for and then of each parent up to
    // the top-level window; true when one of them consumed it.
    static bool WalkPreTranslateTree(MSG& msg);

    int ControlId() const;
    HWND Parent() const;
    // Invalidates, erases and repaints the whole window before returning.
    void RedrawNow() const;

protected:
    // Handles one message of this window; true with result set when handled. Derived classes
    // run their message map and then call their base's OnMessage.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void Attach(HWND hwnd);
    void Detach();

    HWND hwnd_ = nullptr;
};

// A control's or window's text, whole, in the system's code page (paths, key names); "" for no
// window.
std::string WindowText(HWND window);

// The same as UTF-8, and setting it from UTF-8: for texts that may carry antenna names, which
// need not fit the code page.
std::string WindowTextUtf8(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view text);

// The module that holds the program's resources (the executable).
HINSTANCE ResourceInstance();
void SetResourceInstance(HINSTANCE instance);

}  // namespace torvik::win32

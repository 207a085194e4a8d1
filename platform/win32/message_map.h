#pragma once
// Static message maps: each window class lists the messages and commands it handles in a
// constant table of entries, and its OnMessage runs the table before handing the message to
// its base class.

#include <windows.h>

#include <span>

namespace torvik::win32 {

template <class T>
using MessageHandler = LRESULT (T::*)(WPARAM wParam, LPARAM lParam);

template <class T>
struct MessageEntry {
    UINT message;
    UINT id;     // WM_COMMAND: command or control id; otherwise unused
    UINT code;   // WM_COMMAND: notification code; otherwise unused
    MessageHandler<T> handler;
};

// A plain message.
template <class T>
constexpr MessageEntry<T> OnMsg(UINT message, MessageHandler<T> handler) {
    return {message, 0, 0, handler};
}

// A menu command, or a control's BN_CLICKED (both notification code 0).
template <class T>
constexpr MessageEntry<T> OnCommand(UINT id, MessageHandler<T> handler) {
    return {WM_COMMAND, id, 0, handler};
}

// A control notification with its own code.
template <class T>
constexpr MessageEntry<T> OnControl(UINT code, UINT id, MessageHandler<T> handler) {
    return {WM_COMMAND, id, code, handler};
}

// The notification code a WM_COMMAND is routed by: a command without a control window
// (menus, accelerators, other programs) counts as code 0 whatever its high word says.
inline UINT CommandCode(WPARAM wParam, LPARAM lParam) {
    return lParam != 0 ? HIWORD(wParam) : 0;
}

// Runs the first entry of map that matches; true with result set when one did.
template <class T>
bool DispatchMessageMap(T& self, std::span<const MessageEntry<T>> map, UINT message,
                        WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (const MessageEntry<T>& entry : map) {
        if (entry.message != message) {
            continue;
        }
        if (message == WM_COMMAND &&
            (entry.id != LOWORD(wParam) || entry.code != CommandCode(wParam, lParam))) {
            continue;
        }
        result = (self.*entry.handler)(wParam, lParam);
        return true;
    }
    return false;
}

}  // namespace torvik::win32

#include "app/win32/hotkeys_win32.h"

#include <tlhelp32.h>

#include <cstring>

#include "platform/win32/win_handle.h"

namespace torvik::win32 {

UINT VirtualKeyOf(Key key) {
    switch (key.group) {
    case KeyGroup::kFunction:
        return key.number >= 1 && key.number <= 24 ? VK_F1 + key.number - 1u : 0u;
    case KeyGroup::kNumPad:
        return key.number <= 9 ? VK_NUMPAD0 + key.number : 0u;
    case KeyGroup::kUnnamed:
        break;
    }
    // A byte of the settings file that names no key of ours is a virtual-key code as it stands.
    return key.number;
}

UINT ModifierFlagsOf(Modifiers modifiers) {
    return (modifiers.alt ? MOD_ALT : 0u) | (modifiers.ctrl ? MOD_CONTROL : 0u) |
           (modifiers.shift ? MOD_SHIFT : 0u) | (modifiers.win ? MOD_WIN : 0u);
}

bool WindowHotkeyRegistrar::RegisterHotkey(std::int32_t id, Modifiers modifiers, Key key) {
    return RegisterHotKey(hwnd_, id, ModifierFlagsOf(modifiers), VirtualKeyOf(key)) != FALSE;
}

void WindowHotkeyRegistrar::UnregisterHotkey(std::int32_t id) { UnregisterHotKey(hwnd_, id); }

std::optional<std::uint32_t> SystemFocusQuery::FocusedProcessId() {
    // The thread's own focus counts only while its top-level window is the foreground window:
    // a hidden or inactive main window still holds its thread's focus, whatever the user works in.
    HWND window = GetForegroundWindow();
    if (HWND focus = GetFocus(); focus != nullptr && GetAncestor(focus, GA_ROOT) == window) {
        window = focus;
    }
    if (window == nullptr) {
        return std::nullopt;
    }
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(processId);
}

std::optional<std::string> SystemFocusQuery::ExecutableName(std::uint32_t processId) {
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return std::nullopt;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more != FALSE;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == processId) {
            return std::string(entry.szExeFile, strnlen(entry.szExeFile, sizeof(entry.szExeFile)));
        }
    }
    return std::nullopt;
}

}  // namespace torvik::win32

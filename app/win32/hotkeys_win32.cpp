#include "app/win32/hotkeys_win32.h"

#include <tlhelp32.h>

#include <cstring>

#include "platform/win32/win_handle.h"

namespace torvik::win32 {

bool WindowHotkeyRegistrar::RegisterHotkey(std::int32_t id, std::uint32_t modifiers,
                                           std::uint32_t virtualKey) {
    return RegisterHotKey(hwnd_, id, modifiers, virtualKey) != FALSE;
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

#include "app/win32/instance_lock.h"

namespace torvik::win32 {

std::string InstanceLockName(std::string_view userKey) {
    std::string name = "Local\\TORVIK-SingleInstance-";
    const std::size_t room = kMaxInstanceLockName - name.size();
    for (char c : userKey.substr(0, room)) {
        name.push_back(c == '\\' || c == '\0' ? '_' : c);
    }
    return name;
}

bool IsMainWindow(HWND window) {
    char className[64] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title - 1);
    return IsMainWindow(className, title);
}

HWND FindMainWindow() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            if (!IsMainWindow(window)) return TRUE;
            *reinterpret_cast<HWND*>(param) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace torvik::win32

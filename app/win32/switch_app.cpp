#include "app/win32/switch_app.h"

#include <sddl.h>

#include <string>

#include "app/start_options.h"
#include "app/win32/instance_lock.h"
#include "app/win32/switch_dlg.h"
#include "platform/win32/program_folder.h"

namespace torvik::win32 {
namespace {

// How long a second copy waits for the first one's window to appear.
constexpr int kWaitSteps = 50;
constexpr DWORD kWaitStepMs = 100;

void BringForward(HWND window) {
    SetForegroundWindow(window);
    ShowWindow(window, SW_SHOW);
}

// The user's security id as text, or the user name when that cannot be had.
std::string UserKey() {
    std::string key;
    HANDLE rawToken = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken) != FALSE) {
        KernelHandle token(rawToken);
        DWORD size = 0;
        GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
        std::string buffer(size, '\0');
        if (size > 0 &&
            GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size) != FALSE) {
            LPSTR text = nullptr;
            auto* user = reinterpret_cast<TOKEN_USER*>(buffer.data());
            if (ConvertSidToStringSidA(user->User.Sid, &text) != FALSE && text != nullptr) {
                key = text;
                LocalFree(text);
            }
        }
    }
    if (key.empty()) {
        char name[257] = "";
        DWORD length = sizeof(name);
        if (GetUserNameA(name, &length) != FALSE) {
            key = name;
        }
    }
    return key;
}

}  // namespace

bool CSwitchApp::FindRunningInstance() {
    for (HWND window = GetForegroundWindow(); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (IsMainWindow(window)) {
            BringForward(window);
            return true;
        }
    }
    return false;
}

bool CSwitchApp::TakeInstanceLock() {
    const std::string name = InstanceLockName(UserKey());
    instanceLock_.Reset(CreateMutexA(nullptr, FALSE, name.c_str()));
    const DWORD error = GetLastError();
    if (instanceLock_ && error != ERROR_ALREADY_EXISTS) {
        return true;
    }
    if (!instanceLock_ && error != ERROR_ACCESS_DENIED) {
        // No lock to be had at all: run as the title walk alone allows.
        return true;
    }
    instanceLock_.Reset();

    // The other copy may still be on its way to its window: wait for it a little.
    for (int step = 0; step < kWaitSteps; ++step) {
        if (FindRunningInstance()) {
            return false;
        }
        if (HWND found = FindMainWindow(); found != nullptr) {
            BringForward(found);
            return false;
        }
        Sleep(kWaitStepMs);
    }
    return false;
}

bool CSwitchApp::InitInstance() {
    const bool folderKnown = CaptureProgramFolder();
    if (FindRunningInstance()) {
        return false;
    }
    if (!TakeInstanceLock()) {
        return false;
    }
    // An executable path that cannot be read, or whose folder does not fit the program folder:
    // every file path would be wrong, so the program does not start.
    if (!folderKnown) {
        exitCode_ = 1;
        return false;
    }

    CSwitchDlg dialog(nullptr);
    if (HasHideWord(CommandTail())) {
        dialog.StartHidden(true);
    }
    dialog.DoModal();
    return false;
}

int CSwitchApp::ExitInstance() {
    instanceLock_.Reset();
    return WinApp::ExitInstance();
}

}  // namespace torvik::win32

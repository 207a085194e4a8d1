#pragma once
// CSwitchApp: start-up. Records the program folder, lets only one copy run per user, reads the
// hidden-start word and runs the main window; the main window's modal run is the program's life.

#include <windows.h>

#include "platform/win32/win_app.h"
#include "platform/win32/win_handle.h"

namespace torvik::win32 {

class CSwitchApp final : public WinApp {
public:
    // Brings a running copy's window (a top-level window at or below the foreground window
    // whose title contains "TORVIK") to the front; true when one was found.
    static bool FindRunningInstance();

protected:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    // false when another copy of this user holds the lock: it is then brought forward.
    bool TakeInstanceLock();

    KernelHandle instanceLock_;
};

}  // namespace torvik::win32

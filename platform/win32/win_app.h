#pragma once
// The application object: one static instance per program, run by WinMain through Main.

#include <windows.h>

#include <string>

namespace torvik::win32 {

class WinApp {
public:
    WinApp();
    virtual ~WinApp();
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    // The program's one application object, or nullptr before it is constructed.
    static WinApp* Current();

    // Start-up: records the module and the command tail, runs InitInstance, then Run when it
    // asked to go on, then ExitInstance; answers the process exit code.
    int Main(HINSTANCE instance, const char* commandTail);

    HINSTANCE Instance() const { return instance_; }
    // The command-line arguments without the program's name, as WinMain received them.
    const std::string& CommandTail() const { return commandTail_; }

protected:
    // false ends the program without a message loop of its own.
    virtual bool InitInstance() { return false; }
    virtual int ExitInstance() { return exitCode_; }
    // A plain message loop until WM_QUIT.
    virtual int Run();

    int exitCode_ = 0;

private:
    HINSTANCE instance_ = nullptr;
    std::string commandTail_;
};

}  // namespace torvik::win32

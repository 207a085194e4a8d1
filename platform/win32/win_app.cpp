#include "platform/win32/win_app.h"

#include <commctrl.h>

#include "platform/win32/window.h"

namespace torvik::win32 {
namespace {
WinApp* g_app = nullptr;
}

WinApp::WinApp() { g_app = this; }

WinApp::~WinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

WinApp* WinApp::Current() { return g_app; }

int WinApp::Main(HINSTANCE instance, const char* commandTail) {
    instance_ = instance;
    commandTail_ = commandTail != nullptr ? commandTail : "";
    SetResourceInstance(instance);

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    if (InitInstance()) {
        exitCode_ = Run();
    }
    return ExitInstance();
}

int WinApp::Run() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(msg.wParam);
        }
        if (got == -1) {
            return -1;
        }
        if (!Window::WalkPreTranslateTree(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

}  // namespace torvik::win32

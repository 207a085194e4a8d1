// Torvik.exe: the application object and the entry point.

#include <windows.h>

#include "app/win32/switch_app.h"

namespace {
torvik::win32::CSwitchApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int) {
    return theApp.Main(instance, commandTail);
}

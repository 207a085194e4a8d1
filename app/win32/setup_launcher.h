#pragma once
// The main window's way into the setup dialog.

#include <windows.h>

#include <string>

#include "core/settings.h"

namespace torvik::win32 {

// Runs the setup dialog for the box with this serial number, modal over parent. Answers IDOK
// when the user confirmed and the configurations were written, anything else otherwise.
INT_PTR RunSetupDialog(HWND parent, const std::string& serialNumber, SettingsStore& settings,
                       const std::string& programFolder);

}  // namespace torvik::win32

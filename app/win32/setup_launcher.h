#pragma once
// The main window's way into the setup dialog.

#include <windows.h>

#include <string>

#include "core/settings.h"
#include "device/box_link.h"

namespace torvik::win32 {

// Runs the setup dialog modally over parent for the box whose device node the main window
// holds. The dialog reads the node's serial number when it opens and again at OK (it keeps no
// copy), so box must outlive the run. settings is the settings file of programFolder. Answers
// IDOK when the user confirmed (the configurations were written), IDCANCEL otherwise; without
// a serial number (no box) no dialog is shown and the answer is IDCANCEL. inEffect: the
// records the main window runs on, which the dialog edits when no CONFIG is stored.
INT_PTR RunSetupDialog(HWND parent, const DeviceNode& box, SettingsStore& settings,
                       const std::string& programFolder, const ConfigBlock& inEffect);

}  // namespace torvik::win32

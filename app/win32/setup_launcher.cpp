#include "app/win32/setup_launcher.h"

#include <span>

#include "setup/win32/setup_dlg.h"

namespace torvik::win32 {
namespace {

INT_PTR RunForSerialField(HWND parent, std::span<const char> serialField,
                          SettingsStore& settings, const std::string& programFolder,
                          const ConfigBlock& inEffect) {
    if (serialField.empty() || serialField.front() == '\0') {
        return IDCANCEL;
    }
    CSetupDlg dialog(serialField, parent, settings, programFolder, inEffect);
    return dialog.DoModal() == IDOK ? IDOK : IDCANCEL;
}

}  // namespace

INT_PTR RunSetupDialog(HWND parent, const DeviceNode& box, SettingsStore& settings,
                       const std::string& programFolder, const ConfigBlock& inEffect) {
    return RunForSerialField(parent, std::span<const char>(box.serial), settings, programFolder, inEffect);
}

}  // namespace torvik::win32

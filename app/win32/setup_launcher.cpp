#include "app/win32/setup_launcher.h"

namespace torvik::win32 {

// Until the setup dialog joins the program, Setup leaves everything as it is.
INT_PTR RunSetupDialog(HWND, const std::string&, SettingsStore&, const std::string&) {
    return IDCANCEL;
}

}  // namespace torvik::win32

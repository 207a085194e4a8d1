#pragma once
// What the Manual button opens: the user manual installed beside the program, or an online
// address when the build names one.

#include <string>
#include <string_view>

namespace torvik {

// The manual's page inside the program folder, as the installer and the zip lay it out.
inline constexpr std::string_view kManualPage = "manual\\index.html";

// onlineAddress when it is not empty, else "<programFolder>\manual\index.html".
std::string ManualAddress(std::string_view programFolder, std::string_view onlineAddress);

}  // namespace torvik

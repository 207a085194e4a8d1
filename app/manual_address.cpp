#include "app/manual_address.h"

namespace torvik {

std::string ManualAddress(std::string_view programFolder, std::string_view onlineAddress) {
    if (!onlineAddress.empty()) {
        return std::string(onlineAddress);
    }
    std::string page(programFolder);
    page += '\\';
    page += kManualPage;
    return page;
}

}  // namespace torvik

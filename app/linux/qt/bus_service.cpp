#include "app/linux/qt/bus_service.h"

namespace torvik::qt {

void BusService::CheckState() {
    // The Get answer: the mask in bits 16 to 19 above the antenna count.
    const auto mask = static_cast<uint>(controller_.GetAntennaMask()) >> 16 & 0xFu;
    const bool present = controller_.DevicePresent();
    if (told_ && mask == lastMask_ && present == lastPresent_) {
        return;
    }
    told_ = true;
    lastMask_ = mask;
    lastPresent_ = present;
    emit StateChanged(mask, present);
}

}  // namespace torvik::qt

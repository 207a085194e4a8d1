#include "device/linux/usb_box_match.h"

#include <algorithm>


namespace torvik {

bool LowerPlaceOnBus(const UsbDeviceInfo& a, const UsbDeviceInfo& b) {
    if (a.busNumber != b.busNumber) return a.busNumber < b.busNumber;
    return std::lexicographical_compare(a.portNumbers.begin(), a.portNumbers.end(), b.portNumbers.begin(),
                                        b.portNumbers.end());
}

bool HasBoxUsbIds(std::uint16_t vendorId, std::uint16_t productId) {
    return vendorId == kFtdiVendorId &&
           std::find(kBoxProductIds.begin(), kBoxProductIds.end(), productId) != kBoxProductIds.end();
}

std::optional<std::string> StableIdentity(std::uint8_t busNumber, std::span<const std::uint8_t> portNumbers) {
    if (portNumbers.empty() || std::find(portNumbers.begin(), portNumbers.end(), 0) != portNumbers.end()) {
        return std::nullopt;
    }
    std::string identity = std::to_string(busNumber);
    char separator = '-';
    for (const std::uint8_t port : portNumbers) {
        identity.push_back(separator);
        identity += std::to_string(port);
        separator = '.';
    }
    return identity;
}

}  // namespace torvik

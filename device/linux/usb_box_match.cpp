#include "device/linux/usb_box_match.h"

#include <algorithm>

#include "device/box_discovery.h"

namespace torvik {
namespace {

constexpr std::size_t kMaxLocationPorts = 6;

bool IsBelow(const UsbDeviceInfo& a, const UsbDeviceInfo& b) {
    if (a.busNumber != b.busNumber) return a.busNumber < b.busNumber;
    return std::lexicographical_compare(a.portNumbers.begin(), a.portNumbers.end(), b.portNumbers.begin(),
                                        b.portNumbers.end());
}

}  // namespace

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

std::optional<std::uint32_t> LocationIdOf(std::uint8_t busNumber, std::span<const std::uint8_t> portNumbers) {
    if (portNumbers.empty() || portNumbers.size() > kMaxLocationPorts) return std::nullopt;
    std::uint32_t ports = 0;
    for (const std::uint8_t port : portNumbers) {
        if (port == 0 || port > 0xF) return std::nullopt;
        ports = (ports << 4) | port;
    }
    return (static_cast<std::uint32_t>(busNumber) << 24) | ports;
}

BoxChoice ChooseBox(std::span<const UsbDeviceInfo> devices) {
    BoxChoice choice;
    for (const UsbDeviceInfo& device : devices) {
        if (!HasBoxUsbIds(device.vendorId, device.productId)) continue;
        if (!device.serialNumber) {
            choice.unreadableCandidate = choice.unreadableCandidate || device.accessDenied;
            continue;
        }
        const std::string serial = device.serialNumber->substr(0, kSerialNumberChars);
        const auto identity = StableIdentity(device.busNumber, device.portNumbers);
        if (!identity || !IsBoxSerial(serial.data(), serial.size())) continue;
        if (choice.box && !IsBelow(device, *choice.box)) continue;
        choice.box = device;
        choice.box->serialNumber = serial;
        choice.identity = *identity;
        choice.locationId = LocationIdOf(device.busNumber, device.portNumbers).value_or(0);
    }
    return choice;
}

}  // namespace torvik

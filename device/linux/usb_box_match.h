#pragma once
// Which USB devices that libusb lists may be the box, and where each sits on the bus. The
// serial-number rule is the core's (IsBoxSerial), applied to what FtdiLink lists.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace torvik {

inline constexpr std::uint16_t kFtdiVendorId = 0x0403;
// The FTDI chips' own product ids, any of which the box may carry: FT232R/FT245R, FT2232,
// FT4232, FT232H and the FT-X series. The udev rule grants access to exactly these.
inline constexpr std::array<std::uint16_t, 5> kBoxProductIds = {0x6001, 0x6010, 0x6011, 0x6014, 0x6015};

// The USB ids a box may carry: FTDI's vendor id and one of kBoxProductIds.
bool HasBoxUsbIds(std::uint16_t vendorId, std::uint16_t productId);

// One USB device as listed: ids from its descriptor, bus number and port path from libusb
// (libusb_get_bus_number, libusb_get_port_numbers: root port first), the serial-number string
// when it could be read.
struct UsbDeviceInfo {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint8_t busNumber = 0;
    std::vector<std::uint8_t> portNumbers;
    std::optional<std::string> serialNumber;  // nothing when the device could not be opened
    bool accessDenied = false;                // the open failed for want of permission
    bool heldElsewhere = false;               // another program holds its interface
};

// "<bus>-<port>.<port>...", the name the kernel gives the device's place ("1-2.3"): the same
// while the box stays in the same socket, unlike the address that changes at every replug.
// Nothing for a device without a port path (a root hub) or with a port 0.
std::optional<std::string> StableIdentity(std::uint8_t busNumber, std::span<const std::uint8_t> portNumbers);

// Whether a sits at a lower place on the bus than b: the lower bus, then the lower port path.
// The box at the lowest place is the one taken when several are attached, whatever order
// libusb lists them in, so that the choice does not change between searches.
bool LowerPlaceOnBus(const UsbDeviceInfo& a, const UsbDeviceInfo& b);

// The serial-number characters the Windows driver's device node holds. The rule is applied to
// no more, and the box's serial is cut to them, so that both systems accept the same boxes and
// name the same settings section.
inline constexpr std::size_t kSerialNumberChars = 15;

}  // namespace torvik

#pragma once
// The link to the attached boxes in the program's own terms: list them, open one by its
// identity, bound its timeouts, enter bit-bang, write a byte, close. Each platform gives one
// (the vendor's driver library on Windows, libftdi on Linux); tests use a simulated box.

#include <cstdint>
#include <string>
#include <vector>

namespace torvik {

enum class LinkResult {
    Ok,
    InvalidHandle,     // not a handle this link opened, or closed already
    NotFound,          // no attached device has that identity
    NotOpened,         // refused, or open already: opens are exclusive
    IoError,           // the device did not take the request, or is gone
    InvalidArgument,
    Failed,            // anything else, and every call when there is no driver
};

// An attached device as the link lists it.
struct ListedDevice {
    std::string serial;
    std::string description;
    // What Open takes to reach this device again while it stays where it is. A driver that
    // hides where an open device is (the vendor's) leaves it empty for an open device.
    std::string identity;
    bool heldElsewhere = false;   // open in another program: no serial, description or identity
    // There, but this user may not open it (a link that can tell, as libusb does): no serial,
    // description or identity either. Only a change of permissions helps, not waiting.
    bool accessDenied = false;
    bool openedHere = false;      // open through this link
};

// An open device, as the link names it; kNoHandle is none.
using LinkHandle = std::uintptr_t;
inline constexpr LinkHandle kNoHandle = 0;

class BoxLink {
public:
    virtual ~BoxLink() = default;
    // Replaces devices with the attached devices; on failure the list is empty.
    virtual LinkResult List(std::vector<ListedDevice>& devices) = 0;
    virtual LinkResult Open(const std::string& identity, LinkHandle& handle) = 0;
    // Bounds how long a read or a write may block, in milliseconds.
    virtual LinkResult SetTimeouts(LinkHandle handle, std::uint32_t readMs,
                                   std::uint32_t writeMs) = 0;
    // All eight lines outputs, driven asynchronously by each byte written.
    virtual LinkResult EnterBitBang(LinkHandle handle) = 0;
    // written is the number of bytes the device took: 0 or 1. A write that times out succeeds
    // having taken nothing.
    virtual LinkResult WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) = 0;
    virtual LinkResult Close(LinkHandle handle) = 0;
    // False when no usable driver was found: every call then fails. Known once a list call
    // has been made.
    virtual bool Available() const { return true; }
    // The driver's name as this platform's user knows it, for the message without one.
    virtual const char* DriverName() const { return "box"; }
};

// The controller's record of the found box.
struct DeviceNode {
    std::string serial;         // at most 15 characters
    std::string description;
    std::string identity;       // what BoxLink::Open takes
    std::uint32_t antennaCount = 0;
};

}  // namespace torvik

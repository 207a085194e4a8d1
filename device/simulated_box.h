#pragma once
// A link without hardware: a list of attached boxes, injectable failures, and a record of
// every call and every byte written, in order. It behaves as the vendor's driver documents:
// opens are exclusive, a device held by another program is listed with nothing but that,
// writes can fail or fall short. Used by the tests, the Windows stand-in driver library and
// the demo.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/box_link.h"

namespace torvik {

struct SimDevice {
    std::string serial;        // at most 15 characters are reported
    std::string description;   // at most 63 characters are reported
    std::uint32_t locationId = 0;   // its identity: IdentityOfLocation
    bool openFails = false;
    bool bitModeFails = false;
    bool writeFails = false;
    bool shortWrite = false;     // a write succeeds but takes nothing (a timeout)
    bool heldElsewhere = false;  // open in another program: listed without texts, not openable
    bool accessDenied = false;   // this user may not open it: listed without texts, not openable
};

// One link call as it happened. Fields that a call does not have stay 0.
struct SimCall {
    enum class Kind { List, Open, Timeouts, BitMode, Write, Close };
    Kind kind;
    LinkResult result = LinkResult::Ok;
    // List: count; Open: location id; Timeouts: write timeout; Write: the byte
    std::uint32_t value = 0;
    std::uint32_t written = 0;  // Write: the bytes taken
};

class SimulatedBox final : public BoxLink {
public:
    // Devices attached now; changing them is a hot-plug.
    std::vector<SimDevice> devices;
    // When set, the next Open finds no device: the device it asks for is unplugged (taken
    // out of devices) just before, as if the box vanished after it was listed. The flag then
    // clears itself.
    bool vanishBeforeNextOpen = false;
    // When set, every list call fails and lists nothing.
    bool listFails = false;
    // When set, there is no driver library: Available() is false and every list call fails.
    bool driverMissing = false;

    const std::vector<SimCall>& Calls() const { return calls_; }
    // Only the bytes that were taken, in order.
    std::vector<std::uint8_t> BytesWritten() const;
    void ClearCalls() {
        calls_.clear();
        bytes_.clear();
    }
    int OpenHandles() const;   // handles opened and not yet closed
    bool HoldsHandle(LinkHandle handle) const { return LocationOf(handle).has_value(); }
    // The last byte written drove onto the lines of the device at this location, if any.
    std::optional<std::uint8_t> LastOutput(std::uint32_t locationId) const;

    LinkResult List(std::vector<ListedDevice>& listed) override;
    LinkResult Open(const std::string& identity, LinkHandle& handle) override;
    LinkResult SetTimeouts(LinkHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
    LinkResult EnterBitBang(LinkHandle handle) override;
    LinkResult WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) override;
    LinkResult Close(LinkHandle handle) override;
    bool Available() const override { return !driverMissing; }

private:
    bool IsOpen(std::uint32_t locationId) const;
    LinkResult Record(SimCall call);
    const SimDevice* Attached(std::uint32_t locationId) const;
    // The location id behind an open handle, or nothing for an unknown or closed handle.
    std::optional<std::uint32_t> LocationOf(LinkHandle handle) const;

    std::vector<SimCall> calls_;
    std::vector<std::uint8_t> bytes_;                    // bytes taken, in order
    std::map<std::uintptr_t, std::uint32_t> openHandles_;  // handle value -> location id
    std::map<std::uint32_t, std::uint8_t> lastOutput_;     // location id -> last byte driven
    std::uintptr_t nextHandle_ = 0;                      // handle values are never reused
};

}  // namespace torvik

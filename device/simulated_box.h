#pragma once
// A driver without hardware: a list of attached boxes, injectable failures, and a record of
// every call and every byte written, in order. Used by the tests, the Windows stand-in
// driver library and the demo.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/d2xx.h"

namespace torvik {

struct SimDevice {
    std::string serial;        // at most 15 characters are reported
    std::string description;   // at most 63 characters are reported
    std::uint32_t locationId = 0;
    bool openFails = false;
    bool bitModeFails = false;
    bool writeFails = false;
    bool shortWrite = false;     // FT_Write succeeds but takes none of the bytes (a timeout)
    bool heldElsewhere = false;  // open in another program: listed without texts, not openable
};

// One driver call as it happened. Fields that a call does not have stay 0.
struct SimCall {
    enum class Kind { List, GetList, Open, Timeouts, BitMode, Write, Close };
    Kind kind;
    FtStatus status = kFtOk;
    // List/GetList: count; Open: location id; Timeouts: write timeout; Write: the byte
    std::uint32_t value = 0;
    std::uint32_t written = 0;  // Write: the bytes taken
    std::uint8_t mask = 0;     // BitMode
    std::uint8_t mode = 0;     // BitMode
};

class SimulatedBox final : public D2xxDriver {
public:
    // Devices attached now; changing them is a hot-plug.
    std::vector<SimDevice> devices;
    // When set, the next OpenEx finds no device: the device it asks for is unplugged (taken
    // out of devices) just before, as if the box vanished after it was listed. The flag then
    // clears itself.
    bool vanishBeforeNextOpen = false;
    // When set, every list call fails with kFtOtherError and reports count 0.
    bool listFails = false;
    // When set, there is no driver library: Available() is false and every list call fails.
    bool driverMissing = false;

    const std::vector<SimCall>& Calls() const { return calls_; }
    // Only the bytes that FT_Write accepted (status 0), in order.
    std::vector<std::uint8_t> BytesWritten() const;
    void ClearCalls() {
        calls_.clear();
        bytes_.clear();
    }
    int OpenHandles() const;   // handles opened and not yet closed
    // The last byte FT_Write drove onto the lines of the device at this location, if any.
    std::optional<std::uint8_t> LastOutput(std::uint32_t locationId) const;

    FtStatus CreateDeviceInfoList(std::uint32_t* count) override;
    FtStatus GetDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) override;
    // The list call as the vendor's library makes it: every node of the list is written,
    // whatever room *count names.
    FtStatus FillDeviceInfoList(DeviceNode* nodes, std::uint32_t* count);
    FtStatus OpenEx(std::uint32_t locationId, std::uint32_t flags, FtHandle* handle) override;
    FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
    FtStatus SetBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) override;
    FtStatus Write(FtHandle handle, const void* buffer, std::uint32_t length,
                   std::uint32_t* written) override;
    FtStatus Close(FtHandle handle) override;
    bool Available() const override { return !driverMissing; }

private:
    FtStatus ListInto(DeviceNode* nodes, std::uint32_t* count, std::size_t room);
    bool IsOpen(std::uint32_t locationId) const;
    FtStatus Record(SimCall call);
    const SimDevice* Attached(std::uint32_t locationId) const;
    // The location id behind an open handle, or nothing for an unknown or closed handle.
    std::optional<std::uint32_t> LocationOf(FtHandle handle) const;

    std::vector<SimCall> calls_;
    std::vector<std::uint8_t> bytes_;                    // bytes accepted by Write, in order
    std::vector<SimDevice> listed_;                      // snapshot made by CreateDeviceInfoList
    std::map<std::uintptr_t, std::uint32_t> openHandles_;  // handle value -> location id
    std::map<std::uint32_t, std::uint8_t> lastOutput_;     // location id -> last byte driven
    std::uintptr_t nextHandle_ = 0;                      // handle values are never reused
};

}  // namespace torvik

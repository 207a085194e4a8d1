#pragma once
// The part of the FTDI D2XX interface that the program uses, as an interface the platform
// implements (the vendor library on Windows, libftdi on Linux, a simulated box in tests).

#include <cstdint>

namespace torvik {

using FtStatus = std::uint32_t;   // FT_STATUS: 0 is success
using FtHandle = void*;           // FT_HANDLE

inline constexpr FtStatus kFtOk = 0;
inline constexpr FtStatus kFtInvalidHandle = 1;
inline constexpr FtStatus kFtDeviceNotFound = 2;
inline constexpr FtStatus kFtDeviceNotOpened = 3;
inline constexpr FtStatus kFtIoError = 4;
inline constexpr FtStatus kFtInvalidParameter = 6;
inline constexpr FtStatus kFtOtherError = 18;

inline constexpr std::uint32_t kFtOpenByLocation = 4;
// Flags bit of a listed node: the device is open, here or in another program.
inline constexpr std::uint32_t kFtFlagOpened = 0x1;
inline constexpr std::uint8_t kAllLinesOutput = 0xFF;
inline constexpr std::uint8_t kAsyncBitBang = 0x01;

// FT_DEVICE_LIST_INFO_NODE with the driver's own layout: 100 bytes for 32-bit pointers,
// 104 for 64-bit ones (the handle is pointer-aligned at the end).
struct DeviceNode {
    std::uint32_t Flags;
    std::uint32_t Type;
    std::uint32_t ID;
    std::uint32_t LocId;
    char SerialNumber[16];
    char Description[64];
    FtHandle ftHandle;
};
static_assert(sizeof(DeviceNode) == 96 + sizeof(void*), "DeviceNode must match the driver's layout");

class D2xxDriver {
public:
    virtual ~D2xxDriver() = default;
    // Builds the driver's device list and reports its length.
    virtual FtStatus CreateDeviceInfoList(std::uint32_t* count) = 0;
    // On entry *count is the room in nodes: no more than that many nodes are written. On
    // return *count is the number of devices in the list made by CreateDeviceInfoList, which
    // callers must not take for the number of nodes written when it exceeds their room.
    // A device that is open is listed with kFtFlagOpened and location 0; one held by another
    // program has no serial number or description either.
    virtual FtStatus GetDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) = 0;
    // Opens are exclusive: a device open anywhere cannot be opened again (kFtDeviceNotOpened).
    virtual FtStatus OpenEx(std::uint32_t locationId, std::uint32_t flags, FtHandle* handle) = 0;
    // Bounds how long a read or a write may block, in milliseconds.
    virtual FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) = 0;
    virtual FtStatus SetBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) = 0;
    virtual FtStatus Write(FtHandle handle, const void* buffer, std::uint32_t length,
                           std::uint32_t* written) = 0;
    virtual FtStatus Close(FtHandle handle) = 0;
    // False when no usable driver library was found: every call then fails. Known once a
    // list call has been made.
    virtual bool Available() const { return true; }
};

}  // namespace torvik

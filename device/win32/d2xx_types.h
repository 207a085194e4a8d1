#pragma once
// The vendor's D2XX interface as its library exports it: status codes, flags, the list node's
// binary layout, and their translation to and from the link's own terms. Shared by the
// adapter over FTD2XX.dll and the stand-in library; no Windows header needed.

#include <cstdint>
#include "device/box_link.h"
#include "device/location_identity.h"

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
struct FtDeviceNode {
    std::uint32_t Flags;
    std::uint32_t Type;
    std::uint32_t ID;
    std::uint32_t LocId;
    char SerialNumber[16];
    char Description[64];
    FtHandle ftHandle;
};
static_assert(sizeof(FtDeviceNode) == 96 + sizeof(void*),
              "FtDeviceNode must match the driver's layout");

LinkResult ResultOf(FtStatus status);
FtStatus StatusOf(LinkResult result);

// A listed node in the link's terms. The driver lists an open device with the opened flag and
// location 0; one open in another program has no serial number either. The identity is the
// location id, stable while the device stays plugged where it is.
ListedDevice ListedFromNode(const FtDeviceNode& node);

}  // namespace torvik

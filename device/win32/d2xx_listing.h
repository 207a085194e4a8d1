#pragma once
// The driver's two-call listing made safe: FT_CreateDeviceInfoList reports a length, and
// FT_GetDeviceInfoList then writes that many nodes whatever room it is given, and reports a
// count that need not match the first (devices come and go between the calls). Neither count
// is trusted beyond the room of our own that the nodes are written into.

#include <cstdint>
#include <functional>
#include <vector>

#include "device/win32/d2xx_types.h"

namespace torvik {

// More nodes than one host can carry: a longer list is taken as a driver fault and cut here
// rather than allocated on the driver's word.
inline constexpr std::uint32_t kMaxListedDevices = 1024;

using CreateListCall = std::function<FtStatus(std::uint32_t& length)>;
// count holds the room on entry and the driver's count on return.
using GetListCall = std::function<FtStatus(FtDeviceNode* nodes, std::uint32_t& count)>;

// Replaces devices with the listed ones; a failed call lists nothing.
LinkResult ListThroughDriver(const CreateListCall& create, const GetListCall& get,
                             std::vector<ListedDevice>& devices);

}  // namespace torvik

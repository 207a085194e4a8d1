#pragma once
// Finding the box among the devices the driver lists.

#include <cstddef>
#include <optional>

#include "device/d2xx.h"

namespace torvik {

// More devices than one host can carry: a count above this is taken as a driver fault and
// the list is cut there rather than allocating on the driver's word.
inline constexpr std::uint32_t kMaxListedDevices = 1024;

// The antenna count that the kept copy of the box's node carries in its Type field.
inline constexpr std::uint32_t kAntennaCount = 3;

// True when the serial-number field, read no further than its size, contains "MIRVAX8" or
// "ZELKOR5" (case-sensitive).
bool IsBoxSerial(const char* serialField, std::size_t fieldSize);

// The node of the first listed box, as the program keeps it: Flags 0, Type the antenna
// count, no handle, texts NUL-terminated within their fields. A failed list call counts as
// an empty list; the count of the second call is not trusted beyond the room given.
std::optional<DeviceNode> FindBox(D2xxDriver& driver);

// One search of the driver's list: the box, if one is listed, and whether some device is
// held by another program. Such a device shows only its opened flag, so it may be the box.
struct BoxSearch {
    std::optional<DeviceNode> box;
    bool heldElsewhere = false;
};
BoxSearch SearchForBox(D2xxDriver& driver);

}  // namespace torvik

#pragma once
// Finding the box among the devices the link lists.

#include <cstddef>
#include <optional>

#include "device/box_link.h"

namespace torvik {

// The antenna count that the kept record of the box carries.
inline constexpr std::uint32_t kAntennaCount = 3;

// True when the serial number, read no further than fieldSize, contains "MIRVAX8" or
// "ZELKOR5" (case-sensitive).
bool IsBoxSerial(const char* serialField, std::size_t fieldSize);

// One search of the link's list: the first listed box, as the program keeps it, and whether
// some device is held by another program or may not be opened by this user. Such a device
// shows nothing but that, so it may be the box. A failed list call counts as an empty list.
struct BoxSearch {
    std::optional<DeviceNode> box;
    bool heldElsewhere = false;
    bool accessDenied = false;
};
BoxSearch SearchForBox(BoxLink& link);

}  // namespace torvik

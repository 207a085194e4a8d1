#include "device/box_discovery.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace torvik {

bool IsBoxSerial(const char* serialField, std::size_t fieldSize) {
    if (serialField == nullptr) {
        return false;
    }
    const char* end = std::find(serialField, serialField + fieldSize, '\0');
    const std::string_view serial(serialField, static_cast<std::size_t>(end - serialField));
    return serial.find("MIRVAX8") != std::string_view::npos ||
           serial.find("ZELKOR5") != std::string_view::npos;
}

std::optional<DeviceNode> FindBox(D2xxDriver& driver) {
    return SearchForBox(driver).box;
}

BoxSearch SearchForBox(D2xxDriver& driver) {
    BoxSearch search;
    std::uint32_t listed = 0;
    if (driver.CreateDeviceInfoList(&listed) != kFtOk) {
        return search;
    }
    const std::uint32_t room = std::min(listed, kMaxListedDevices);
    if (room == 0) {
        return search;
    }
    std::vector<DeviceNode> nodes(room, DeviceNode{});
    std::uint32_t reported = room;
    if (driver.GetDeviceInfoList(nodes.data(), &reported) != kFtOk) {
        return search;
    }
    // The list may have changed between the two calls: walk only nodes that are both
    // allocated and reported as filled.
    const std::uint32_t filled = std::min(room, reported);
    for (std::uint32_t i = 0; i < filled; ++i) {
        const DeviceNode& node = nodes[i];
        if ((node.Flags & kFtFlagOpened) != 0 && node.SerialNumber[0] == '\0') {
            search.heldElsewhere = true;
        }
        if (!IsBoxSerial(node.SerialNumber, sizeof node.SerialNumber)) {
            continue;
        }
        DeviceNode kept = node;
        kept.Flags = 0;
        kept.Type = kAntennaCount;
        kept.ftHandle = nullptr;
        kept.SerialNumber[sizeof kept.SerialNumber - 1] = '\0';
        kept.Description[sizeof kept.Description - 1] = '\0';
        search.box = kept;
        return search;
    }
    return search;
}

}  // namespace torvik

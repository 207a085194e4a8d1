#include "device/box_discovery.h"

#include "core/field_text.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace torvik {

bool IsBoxSerial(const char* serialField, std::size_t fieldSize) {
    const std::string_view serial = FieldText(serialField, fieldSize);
    return serial.find("MIRVAX8") != std::string_view::npos ||
           serial.find("ZELKOR5") != std::string_view::npos;
}

std::optional<DeviceNode> FindBox(D2xxDriver& driver) {
    std::uint32_t listed = 0;
    if (driver.CreateDeviceInfoList(&listed) != kFtOk) {
        return std::nullopt;
    }
    const std::uint32_t room = std::min(listed, kMaxListedDevices);
    if (room == 0) {
        return std::nullopt;
    }
    std::vector<DeviceNode> nodes(room, DeviceNode{});
    std::uint32_t reported = room;
    if (driver.GetDeviceInfoList(nodes.data(), &reported) != kFtOk) {
        return std::nullopt;
    }
    // The list may have changed between the two calls: walk only nodes that are both
    // allocated and reported as filled.
    const std::uint32_t filled = std::min(room, reported);
    for (std::uint32_t i = 0; i < filled; ++i) {
        const DeviceNode& node = nodes[i];
        if (!IsBoxSerial(node.SerialNumber, sizeof node.SerialNumber)) {
            continue;
        }
        DeviceNode kept = node;
        kept.Flags = 0;
        kept.Type = kAntennaCount;
        kept.ftHandle = nullptr;
        kept.SerialNumber[sizeof kept.SerialNumber - 1] = '\0';
        kept.Description[sizeof kept.Description - 1] = '\0';
        return kept;
    }
    return std::nullopt;
}

}  // namespace torvik

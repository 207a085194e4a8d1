#include "device/box_discovery.h"

#include "core/field_text.h"

#include <string_view>
#include <vector>

namespace torvik {
namespace {

// The box's record keeps as much of its texts as the program has always stored and shown.
constexpr std::size_t kKeptSerialLength = 15;
constexpr std::size_t kKeptDescriptionLength = 63;

}  // namespace

bool IsBoxSerial(const char* serialField, std::size_t fieldSize) {
    const std::string_view serial = FieldText(serialField, fieldSize);
    return serial.find("MIRVAX8") != std::string_view::npos ||
           serial.find("ZELKOR5") != std::string_view::npos;
}

BoxSearch SearchForBox(BoxLink& link) {
    BoxSearch search;
    std::vector<ListedDevice> devices;
    if (link.List(devices) != LinkResult::Ok) {
        return search;
    }
    for (const ListedDevice& device : devices) {
        if (device.heldElsewhere) {
            search.heldElsewhere = true;
        }
        if (device.accessDenied) {
            search.accessDenied = true;
        }
        if (!IsBoxSerial(device.serial.data(), device.serial.size())) {
            continue;
        }
        search.box = DeviceNode{device.serial.substr(0, kKeptSerialLength),
                                device.description.substr(0, kKeptDescriptionLength),
                                device.identity, kAntennaCount};
        return search;
    }
    return search;
}

}  // namespace torvik

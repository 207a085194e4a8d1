#include "device/win32/d2xx_listing.h"

#include <algorithm>

namespace torvik {

LinkResult ListThroughDriver(const CreateListCall& create, const GetListCall& get,
                             std::vector<ListedDevice>& devices) {
    devices.clear();
    std::uint32_t length = 0;
    const FtStatus created = create(length);
    if (created != kFtOk) {
        return ResultOf(created);
    }
    const std::uint32_t expected = std::min(length, kMaxListedDevices);
    if (expected == 0) {
        return LinkResult::Ok;
    }
    // One node more than announced, for a device plugged in between the two calls.
    std::vector<FtDeviceNode> nodes(expected + 1, FtDeviceNode{});
    std::uint32_t reported = static_cast<std::uint32_t>(nodes.size());
    const FtStatus got = get(nodes.data(), reported);
    if (got != kFtOk) {
        return ResultOf(got);
    }
    // Walk only nodes that were both announced and reported as filled.
    const std::uint32_t filled = std::min(expected, reported);
    devices.reserve(filled);
    for (std::uint32_t i = 0; i < filled; ++i) {
        devices.push_back(ListedFromNode(nodes[i]));
    }
    return LinkResult::Ok;
}

}  // namespace torvik

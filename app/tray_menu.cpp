#include "app/tray_menu.h"

#include <algorithm>

#include "app/control_ids.h"

namespace torvik {
namespace {

constexpr std::uint32_t kMaxAntennaItems = 3;  // antennaOn holds three antennas and the fourth output

}  // namespace

std::vector<TrayMenuItem> TrayMenuItems(bool devicePresent, std::uint32_t antennaCount,
                                        const std::int32_t antennaOn[4],
                                        const AntennaNames& names) {
    std::vector<TrayMenuItem> items;
    if (devicePresent) {
        const std::uint32_t antennas = std::min(antennaCount, kMaxAntennaItems);
        for (std::uint32_t i = 0; i < antennas; ++i) {
            items.push_back({ShownName(names, static_cast<int>(i)),
                             ids::AntennaButton(static_cast<int>(i)), antennaOn[i] != 0});
        }
    }
    items.push_back({"open Dialog", ids::kOpenDialog, false});
    items.push_back({"Band following", ids::kBandFollowing, false});
    items.push_back({"MQTT", ids::kMqtt, false});
    items.push_back({"Exit", ids::kExit, false});
    return items;
}

}  // namespace torvik

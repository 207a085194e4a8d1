#pragma once
// The tray icon's menu for every platform: its items (texts, command ids, check marks), built
// anew for every showing. What a press on the icon does is TrayClickRules' (tray_clicks.h).

#include <cstdint>
#include <string>
#include <vector>

#include "app/antenna_names.h"

namespace torvik {

struct TrayMenuItem {
    std::string text;
    int command = 0;      // reaches the main window as this command id
    bool checked = false;
    friend bool operator==(const TrayMenuItem&, const TrayMenuItem&) = default;
};

// "Antenna 1" to "Antenna <count>" (at most three; checked when on; a named antenna by its
// name) while a box is present, then "open Dialog", "Band following", "MQTT" and "Exit".
std::vector<TrayMenuItem> TrayMenuItems(bool devicePresent, std::uint32_t antennaCount,
                                        const std::int32_t antennaOn[4],
                                        const AntennaNames& names = {});

}  // namespace torvik

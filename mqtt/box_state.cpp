#include "mqtt/box_state.h"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace torvik::mqtt {

std::string StateJson(const BoxState& state) {
    nlohmann::ordered_json json;
    json["mask"] = state.mask & 0xFu;
    json["mode"] = state.mixer ? kModeMixer : kModeSwitch;
    json["antennas"] = nlohmann::ordered_json::array();
    std::string selected;
    const int count = std::clamp(state.antennaCount, 1, 3);
    for (int i = 0; i < count; ++i) {
        const AntennaState& antenna = state.antennas[static_cast<std::size_t>(i)];
        json["antennas"].push_back({{"number", i + 1}, {"name", antenna.name}, {"on", antenna.on}});
        if (!state.mixer && antenna.on && selected.empty()) selected = antenna.name;
    }
    json["selected"] = selected;
    json["present"] = state.present;
    json["locked"] = state.locked;
    json["band"] = state.band;
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace torvik::mqtt

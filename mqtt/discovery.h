#pragma once
// Home Assistant's MQTT discovery for one box: retained config messages under "homeassistant/",
// one device per box (identified by its serial), each entity with a stable unique_id. Switch
// mode offers a select of the antennas, mixer mode a switch per antenna; the mode select, the
// storm-lock switch and the presence sensor are always there. An entity that goes away is
// removed by an empty retained config on its topic.

#include <string>
#include <vector>

#include "mqtt/box_state.h"
#include "mqtt/topics.h"

namespace torvik::mqtt {

inline constexpr const char* kDiscoveryPrefix = "homeassistant";

struct ConfigMessage {
    std::string topic;     // homeassistant/<component>/torvik_<serial>/<object>/config
    std::string payload;   // JSON; empty: the entity is removed
    friend bool operator==(const ConfigMessage&, const ConfigMessage&) = default;
};

// The entities the box's state calls for (its serial, mode, antenna count and names).
std::vector<ConfigMessage> DiscoveryConfigs(const BoxState& state, const BoxTopics& topics);

// The messages that bring Home Assistant from what was announced to what is wanted: every
// wanted config (retained, so also after a reconnect), and an empty one for every topic
// announced before and not wanted now.
std::vector<ConfigMessage> DiscoveryUpdate(const std::vector<ConfigMessage>& announced,
                                           const std::vector<ConfigMessage>& wanted);

}  // namespace torvik::mqtt

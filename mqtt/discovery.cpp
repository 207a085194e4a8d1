#include "mqtt/discovery.h"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace torvik::mqtt {
namespace {

using nlohmann::ordered_json;

std::string Dump(const ordered_json& json) {
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// What every entity of the box carries: its device, its availability, its name and id.
ordered_json Entity(const BoxState& state, const BoxTopics& topics, const std::string& object,
                    const std::string& name) {
    const std::string word = SerialWord(state.serial);
    ordered_json json;
    json["name"] = name;
    json["unique_id"] = "torvik_" + word + "_" + object;
    json["availability_topic"] = topics.availability;
    json["payload_available"] = kOnline;
    json["payload_not_available"] = kOffline;
    json["state_topic"] = topics.state;
    json["device"] = {{"identifiers", ordered_json::array({"torvik_" + word})},
                      {"name", "Torvik " + state.serial},
                      {"manufacturer", "Torvik"},
                      {"model", "Antenna switch and mixer"},
                      {"serial_number", state.serial}};
    return json;
}

ConfigMessage Config(const BoxState& state, const char* component, const std::string& object,
                     const ordered_json& json) {
    return {std::string(kDiscoveryPrefix) + "/" + component + "/torvik_" +
                SerialWord(state.serial) + "/" + object + "/config",
            Dump(json)};
}

std::string OnOffTemplate(const std::string& field) {
    return "{{ 'ON' if value_json." + field + " else 'OFF' }}";
}

}  // namespace

std::vector<ConfigMessage> DiscoveryConfigs(const BoxState& state, const BoxTopics& topics) {
    std::vector<ConfigMessage> configs;
    const int count = std::clamp(state.antennaCount, 1, 3);
    if (state.mixer) {
        for (int i = 0; i < count; ++i) {
            const std::string number = std::to_string(i + 1);
            const std::string object = "antenna_" + number;
            ordered_json json = Entity(state, topics, object,
                                       state.antennas[static_cast<std::size_t>(i)].name);
            json["command_topic"] = topics.set;
            json["value_template"] = OnOffTemplate("antennas[" + std::to_string(i) + "].on");
            json["payload_on"] = "{\"antenna\":" + number + ",\"on\":true}";
            json["payload_off"] = "{\"antenna\":" + number + ",\"on\":false}";
            json["state_on"] = "ON";
            json["state_off"] = "OFF";
            configs.push_back(Config(state, "switch", object, json));
        }
    } else {
        ordered_json json = Entity(state, topics, "antenna", "Antenna");
        json["command_topic"] = topics.set;
        json["command_template"] = "{\"antenna\": {{ value | tojson }}, \"on\": true}";
        json["value_template"] = "{{ value_json.selected }}";
        json["options"] = ordered_json::array();
        for (int i = 0; i < count; ++i) {
            json["options"].push_back(state.antennas[static_cast<std::size_t>(i)].name);
        }
        configs.push_back(Config(state, "select", "antenna", json));
    }
    {
        ordered_json json = Entity(state, topics, "mode", "Mode");
        json["command_topic"] = topics.set;
        json["command_template"] = "{\"mode\": {{ value | tojson }}}";
        json["value_template"] = "{{ value_json.mode }}";
        json["options"] = {kModeSwitch, kModeMixer};
        configs.push_back(Config(state, "select", "mode", json));
    }
    {
        ordered_json json = Entity(state, topics, "lock", "Storm lock");
        json["command_topic"] = topics.set;
        json["value_template"] = OnOffTemplate("locked");
        json["payload_on"] = "{\"lock\":true}";
        json["payload_off"] = "{\"lock\":false}";
        json["state_on"] = "ON";
        json["state_off"] = "OFF";
        json["icon"] = "mdi:weather-lightning";
        configs.push_back(Config(state, "switch", "lock", json));
    }
    {
        ordered_json json = Entity(state, topics, "present", "Box connected");
        json["value_template"] = OnOffTemplate("present");
        json["payload_on"] = "ON";
        json["payload_off"] = "OFF";
        json["device_class"] = "connectivity";
        configs.push_back(Config(state, "binary_sensor", "present", json));
    }
    return configs;
}

std::vector<ConfigMessage> DiscoveryUpdate(const std::vector<ConfigMessage>& announced,
                                           const std::vector<ConfigMessage>& wanted) {
    std::vector<ConfigMessage> update = wanted;
    for (const ConfigMessage& old : announced) {
        const bool kept = std::any_of(wanted.begin(), wanted.end(), [&](const ConfigMessage& m) {
            return m.topic == old.topic;
        });
        if (!kept && !old.payload.empty()) update.push_back({old.topic, std::string()});
    }
    return update;
}

}  // namespace torvik::mqtt

#pragma once
// One box's state as MQTT tells it: a snapshot, and its retained JSON on the state topic.

#include <array>
#include <cstdint>
#include <string>

namespace torvik::mqtt {

struct AntennaState {
    std::string name;   // as shown: the given name or "Antenna N"
    bool on = false;
    friend bool operator==(const AntennaState&, const AntennaState&) = default;
};

struct BoxState {
    std::string serial;
    std::uint32_t mask = 0;        // bits 0 to 3: antennas 1 to 3 and the fourth output
    bool mixer = false;
    int antennaCount = 3;          // antennas the box has, 1 to 3
    std::array<AntennaState, 3> antennas;
    bool present = false;
    bool locked = false;
    std::string band;              // band following's status; empty while off
    friend bool operator==(const BoxState&, const BoxState&) = default;
};

inline constexpr const char* kModeSwitch = "switch";
inline constexpr const char* kModeMixer = "mixer";

// {"mask":5,"mode":"mixer","antennas":[{"number":1,"name":"...","on":true},...],
//  "selected":"...","present":true,"locked":false,"band":"..."}: "selected" is the antenna on
// in switch mode (what the antenna select shows), empty otherwise. Always valid UTF-8 JSON:
// a byte that is not UTF-8 becomes U+FFFD.
std::string StateJson(const BoxState& state);

}  // namespace torvik::mqtt

// Fuzzes what reaches the program from an MQTT broker and what it publishes back:
// - a set topic's payload: a request read from it is always in range, and nothing over the
//   size limit is read;
// - the state's JSON built with the payload as antenna names and band status: it always parses
//   back, and a name that is valid UTF-8 comes back as it was.

#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "fuzz/fuzz_check.h"
#include "mqtt/box_state.h"
#include "mqtt/set_request.h"

namespace {

using namespace torvik::mqtt;
using torvik::fuzz::Require;

void CheckSetRequest(std::string_view payload) {
    const std::array<std::string, 3> names{"Mini-Whip", std::string(payload.substr(0, 24)),
                                           "Antenna 3"};
    const std::optional<SetRequest> request = ParseSetRequest(payload, names);
    if (!request) return;
    Require(payload.size() <= kMaxSetPayload, "read over the size limit");
    Require(request->mask <= 15, "mask out of range");
    Require(request->antenna >= 0 && request->antenna <= 2, "antenna out of range");
}

// Whether the text is valid UTF-8: the strict dump refuses anything else.
bool IsUtf8(const std::string& text) {
    try {
        (void)nlohmann::json(text).dump();
        return true;
    } catch (const nlohmann::json::type_error&) {
        return false;
    }
}

void CheckStateJson(std::string_view bytes) {
    BoxState state;
    const std::size_t third = bytes.size() / 3;
    state.antennas[0].name = std::string(bytes.substr(0, third));
    state.antennas[1].name = std::string(bytes.substr(third, third));
    state.band = std::string(bytes.substr(2 * third));
    const nlohmann::json parsed = nlohmann::json::parse(StateJson(state), nullptr, false);
    Require(!parsed.is_discarded(), "the state is not JSON");
    const std::string& name = state.antennas[0].name;
    const bool utf8 = IsUtf8(name);
    if (utf8) Require(parsed["antennas"][0]["name"] == name, "a name changed on the way");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckSetRequest(bytes);
    CheckStateJson(bytes);
    return 0;
}

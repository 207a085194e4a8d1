#pragma once
// What arrives on a box's set topic: a mask number ("5"), or JSON {"mask":5},
// {"antenna":2,"on":true} (the antenna by number 1 to 3 or by its shown name), {"mode":"mixer"},
// {"lock":true}. Anything else, and anything over kMaxSetPayload bytes, is no request.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvik::mqtt {

inline constexpr std::size_t kMaxSetPayload = 256;

struct SetRequest {
    enum class Kind { kMask, kAntenna, kMode, kLock };
    Kind kind = Kind::kMask;
    std::uint32_t mask = 0;   // kMask: 0 to 15
    int antenna = 0;          // kAntenna: 0 to 2
    bool on = false;          // kAntenna: on or off; kLock: lock or unlock
    bool mixer = false;       // kMode
    friend bool operator==(const SetRequest&, const SetRequest&) = default;
};

// shownNames: the antennas' names as shown, for a request that names its antenna.
std::optional<SetRequest> ParseSetRequest(std::string_view payload,
                                          const std::array<std::string, 3>& shownNames);

}  // namespace torvik::mqtt

#pragma once
// The topics of one box: "<prefix>/<serial>/state", ".../set", ".../availability", and the
// word a serial becomes in topics and in Home Assistant's object ids.

#include <string>
#include <string_view>

namespace torvik::mqtt {

struct BoxTopics {
    std::string state;          // retained JSON
    std::string set;            // commands in
    std::string availability;   // "online" / "offline" (the last will)
};

inline constexpr const char* kOnline = "online";
inline constexpr const char* kOffline = "offline";

// The serial with every character outside A-Z, a-z, 0-9, '-' and '_' as '_' (no topic
// wildcard, level separator or object-id breaker gets through); "box" for an empty serial.
std::string SerialWord(std::string_view serial);

BoxTopics TopicsFor(std::string_view prefix, std::string_view serial);

}  // namespace torvik::mqtt

#pragma once
// WSJT-X's UDP messages as Qt's QDataStream writes them, big-endian: the magic, the schema
// (2 or 3), the type, the sender's Id, then the type's fields. Only the Heartbeat (type 0) and
// the Status (type 1) matter here; the Status's fields after Decoding are not read.

#include <cstdint>
#include <optional>
#include <string_view>

namespace torvik::bands {

inline constexpr std::uint32_t kWsjtxMagic = 0xadbccbda;

struct WsjtxMessage {
    enum class Type { kHeartbeat, kStatus, kOther };
    Type type = Type::kOther;
    std::uint64_t dialHz = 0;  // kStatus: the dial frequency
    bool transmitting = false;  // kStatus
    friend bool operator==(const WsjtxMessage&, const WsjtxMessage&) = default;
};

// Nothing for a wrong magic or schema, a message cut short (a string's length past the end
// included), or a Status whose frequency passes kMaxFrequencyHz.
std::optional<WsjtxMessage> ReadWsjtxMessage(std::string_view datagram);

}  // namespace torvik::bands

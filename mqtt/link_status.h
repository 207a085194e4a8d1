#pragma once
// What the status line and the tray tip say about the broker, and how a broker's answer to a
// connection (the CONNACK return code) reads.

#include <cstdint>
#include <string>

namespace torvik::mqtt {

enum class LinkState { kOff, kConnecting, kConnected, kNotAuthorised, kUnreachable, kNoTls };

inline constexpr const char* kConnectedText = "MQTT: connected";
inline constexpr const char* kNotAuthorisedText = "MQTT: not authorised";
inline constexpr const char* kUnreachableText = "MQTT: broker unreachable";
// TLS asked of a client library built without it (the Windows build's libmosquitto).
inline constexpr const char* kNoTlsText = "MQTT: TLS is not available in this build";

// A CONNACK return code (MQTT 3.1.1: 0 accepted, 4 bad user name or password, 5 not
// authorised, others refused) as the state it leaves.
LinkState StateOfConnack(int returnCode);

// The text for the state, empty while off or before the first answer; ignored set messages
// are counted after it (", 3 ignored").
std::string StatusText(LinkState state, std::uint64_t ignored);

}  // namespace torvik::mqtt

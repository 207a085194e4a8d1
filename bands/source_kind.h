#pragma once
// Which program tells band following the frequency, and where: a box's SOURCE text. rigctld and
// flrig are asked over TCP; a logger's RadioInfo and WSJT-X's Status arrive as UDP datagrams on
// a port we listen on. A bare "IP:PORT" is rigctld, as it always was.
//
//   [rigctld:]HOST:PORT          rigctld            (default 127.0.0.1:4532)
//   flrig[:HOST:PORT]            flrig's XML-RPC    (default 127.0.0.1:12345)
//   radioinfo[:[HOST:]PORT[:RADIO]]  a logger's RadioInfo (default port 12060, radio 1)
//   wsjtx[:[HOST:]PORT]          WSJT-X's Status    (default port 2237)
//
// A pushed source listens on 127.0.0.1 unless a HOST is named.

#include <cstdint>
#include <string>
#include <string_view>

#include "bands/band_rules.h"

namespace torvik::bands {

enum class SourceKind { kRigctld, kFlrig, kRadioInfo, kWsjtx };

inline constexpr std::uint16_t kFlrigPort = 12345;
inline constexpr std::uint16_t kRadioInfoPort = 12060;
inline constexpr std::uint16_t kWsjtxPort = 2237;
inline constexpr int kMaxRadioNumber = 9;

struct FrequencySource {
    SourceKind kind = SourceKind::kRigctld;
    SourceAddress address;  // where to connect, or where to listen for a pushed source
    int radio = 1;          // the logger's RadioNr to follow
    // Sent to us rather than asked for.
    bool Pushed() const { return kind == SourceKind::kRadioInfo || kind == SourceKind::kWsjtx; }
    // The text as stored and listed; it parses back to the same source.
    std::string Text() const;
    friend bool operator==(const FrequencySource&, const FrequencySource&) = default;
};

Checked<FrequencySource> ParseSource(std::string_view text);

// How the status line names the program: "rig", "flrig", "logger", "WSJT-X".
const char* SourceName(SourceKind kind);

// Whether a datagram from sender may speak for the source: one that listens on a loopback
// address hears this machine only.
bool AcceptsSender(const FrequencySource& source, const std::uint8_t (&sender)[4]);

}  // namespace torvik::bands

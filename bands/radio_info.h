#pragma once
// A contest logger's RadioInfo datagram: one <RadioInfo> element per radio, sent on every
// change and at least every ten seconds. Freq and TXFreq count tens of Hz; in split, Freq is
// the receive and TXFreq the transmit frequency.

#include <cstdint>
#include <optional>
#include <string_view>

namespace torvik::bands {

struct RadioInfo {
    int radio = 1;                // RadioNr (1 when the sender leaves it out)
    std::uint64_t hz = 0;         // Freq in Hz; 0 while the logger has no radio
    std::uint64_t txHz = 0;       // TXFreq in Hz, 0 when absent
    bool transmitting = false;    // IsTransmitting
    bool noRadio = false;         // Freq 0 or RadioName "Manual": nothing to follow
    friend bool operator==(const RadioInfo&, const RadioInfo&) = default;
};

// Nothing for anything but a well-formed RadioInfo whose numbers fit: a Freq or TXFreq above
// kMaxFrequencyHz, a sign, a fraction, a RadioNr outside 1 to 99 or a boolean other than
// True/False (any case) refuses the datagram.
std::optional<RadioInfo> ReadRadioInfo(std::string_view datagram);

}  // namespace torvik::bands

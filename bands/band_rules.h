#pragma once
// Band following's settings for one box: up to 16 frequency rules (the first rule whose range
// holds the frequency wins), the on/off switch and the frequency source's address. Every
// text a person typed or stored is checked here, with a message that says what is wrong.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvik::bands {

inline constexpr std::size_t kMaxRules = 16;
// Twelve decimal digits: far above any receiver, far below any overflow.
inline constexpr std::uint64_t kMaxFrequencyHz = 999'999'999'999;
// Antennas 1 to 3 (bits 0 to 2); the fourth output is never a band's business.
inline constexpr std::uint32_t kMaxRuleMask = 7;
inline constexpr const char* kDefaultSource = "127.0.0.1:4532";
// How long the radio must report receive before a protected box gets its antennas back.
inline constexpr std::uint32_t kDefaultHangMs = 300;
inline constexpr std::uint32_t kLongestHangMs = 10000;

struct BandRule {
    std::uint64_t fromHz = 0;  // inclusive
    std::uint64_t toHz = 0;    // inclusive
    std::uint32_t mask = 0;
    bool Holds(std::uint64_t hz) const { return hz >= fromHz && hz <= toHz; }
    friend bool operator==(const BandRule&, const BandRule&) = default;
};

struct BandPlan {
    bool follow = false;
    std::string source = kDefaultSource;
    std::vector<BandRule> rules;
    // Protection while the transmitter keys: the box's protect mask while the source reports
    // transmit, the chosen antennas back after hangMs of receive.
    bool protect = false;
    std::uint32_t hangMs = kDefaultHangMs;
    friend bool operator==(const BandPlan&, const BandPlan&) = default;
};

// A numeric IPv4 address and a port. Host names are refused on purpose: resolving them can
// block the window's thread for seconds.
struct SourceAddress {
    std::uint8_t octets[4] = {127, 0, 0, 1};
    std::uint16_t port = 4532;
    std::string Text() const;
    friend bool operator==(const SourceAddress&, const SourceAddress&) = default;
};

// A value or the message that tells a person why there is none.
template <class T>
struct Checked {
    std::optional<T> value;
    std::string error;
    explicit operator bool() const { return value.has_value(); }
};

// Decimal digits only (no sign, fraction, exponent or spaces), at most kMaxFrequencyHz.
Checked<std::uint64_t> ParseFrequency(std::string_view text);
// 0 to 7, decimal.
Checked<std::uint32_t> ParseRuleMask(std::string_view text);
// Milliseconds, 0 to kLongestHangMs, decimal.
Checked<std::uint32_t> ParseHangTime(std::string_view text);
// A rule from its three fields; from must not lie above to.
Checked<BandRule> MakeRule(std::string_view from, std::string_view to, std::string_view mask);
// "IPv4:port", or "localhost:port" for 127.0.0.1.
Checked<SourceAddress> ParseSourceAddress(std::string_view text);

// The rule as stored and listed: "FROM,TO,MASK".
std::string RuleText(const BandRule& rule);
Checked<BandRule> ParseRuleText(std::string_view text);

// Index of the first rule holding hz.
std::optional<std::size_t> FindRule(const std::vector<BandRule>& rules, std::uint64_t hz);

// One line per pair of overlapping rules, "rules 1 and 2 overlap; rule 1 wins from ... to ...
// Hz", numbered from 1.
std::vector<std::string> OverlapNotes(const std::vector<BandRule>& rules);

// "7.074 MHz": rounded to the kHz.
std::string MegahertzText(std::uint64_t hz);

}  // namespace torvik::bands

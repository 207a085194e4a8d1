#include "bands/band_rules.h"

#include <algorithm>
#include <charconv>

namespace torvik::bands {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Quoted for messages, cut short so that a pasted novel does not become the message.
std::string Shown(std::string_view text) {
    constexpr std::size_t kShown = 24;
    std::string shown = "'";
    for (char c : text.substr(0, kShown)) {
        shown.push_back(c >= ' ' && c <= '~' ? c : '?');
    }
    if (text.size() > kShown) shown += "...";
    shown += "'";
    return shown;
}

template <class T>
std::optional<T> Decimal(std::string_view text) {
    if (!AllDigits(text)) return std::nullopt;
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string SourceAddress::Text() const {
    return std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
           std::to_string(octets[2]) + "." + std::to_string(octets[3]) + ":" +
           std::to_string(port);
}

// Decimal digits up to highest, or the text shown with what it is not.
template <class T>
Checked<T> DecimalUpTo(std::string_view text, T highest, const std::string& notWhat) {
    const std::optional<T> value = Decimal<T>(text);
    if (!value || *value > highest) return {std::nullopt, Shown(text) + notWhat};
    return {value, {}};
}

Checked<std::uint64_t> ParseFrequency(std::string_view text) {
    return DecimalUpTo(text, kMaxFrequencyHz, " is not a frequency in Hz (digits only, at most " +
                                                  std::to_string(kMaxFrequencyHz) + ")");
}

Checked<std::uint32_t> ParseRuleMask(std::string_view text) {
    return DecimalUpTo(text, kMaxRuleMask,
                       " is not an antenna mask (0 to 7: 1 antenna 1, 2 antenna 2, 4 antenna 3, "
                       "added up)");
}

Checked<std::uint32_t> ParseHangTime(std::string_view text) {
    return DecimalUpTo(text, kLongestHangMs,
                       " is not a hang time (0 to " + std::to_string(kLongestHangMs) + " ms)");
}

Checked<BandRule> MakeRule(std::string_view from, std::string_view to, std::string_view mask) {
    const Checked<std::uint64_t> fromHz = ParseFrequency(from);
    if (!fromHz) return {std::nullopt, "from: " + fromHz.error};
    const Checked<std::uint64_t> toHz = ParseFrequency(to);
    if (!toHz) return {std::nullopt, "to: " + toHz.error};
    const Checked<std::uint32_t> bits = ParseRuleMask(mask);
    if (!bits) return {std::nullopt, "mask: " + bits.error};
    if (*fromHz.value > *toHz.value) {
        return {std::nullopt, "from " + std::to_string(*fromHz.value) + " Hz lies above to " +
                                  std::to_string(*toHz.value) + " Hz"};
    }
    return {BandRule{*fromHz.value, *toHz.value, *bits.value}, {}};
}

Checked<SourceAddress> ParseSourceAddress(std::string_view text) {
    const Checked<SourceAddress> bad{
        std::nullopt, Shown(text) + " is not an address like 127.0.0.1:4532 (IPv4 digits, a "
                                    "colon and a port from 1 to 65535)"};
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return bad;
    const std::optional<std::uint32_t> port = Decimal<std::uint32_t>(text.substr(colon + 1));
    if (!port || *port == 0 || *port > 65535 || text.size() - colon - 1 > 5) return bad;
    SourceAddress address;
    address.port = static_cast<std::uint16_t>(*port);
    std::string_view host = text.substr(0, colon);
    if (host == "localhost") return {address, {}};
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = i < 3 ? host.find('.') : host.size();
        if (dot == std::string_view::npos || dot > 3) return bad;
        const std::optional<std::uint32_t> octet = Decimal<std::uint32_t>(host.substr(0, dot));
        if (!octet || *octet > 255) return bad;
        address.octets[i] = static_cast<std::uint8_t>(*octet);
        host.remove_prefix(i < 3 ? dot + 1 : dot);
    }
    return {address, {}};
}

std::string RuleText(const BandRule& rule) {
    return std::to_string(rule.fromHz) + "," + std::to_string(rule.toHz) + "," +
           std::to_string(rule.mask);
}

Checked<BandRule> ParseRuleText(std::string_view text) {
    const std::size_t first = text.find(',');
    const std::size_t second =
        first == std::string_view::npos ? first : text.find(',', first + 1);
    if (second == std::string_view::npos) {
        return {std::nullopt, Shown(text) + " is not FROM,TO,MASK"};
    }
    return MakeRule(text.substr(0, first), text.substr(first + 1, second - first - 1),
                    text.substr(second + 1));
}

std::optional<std::size_t> FindRule(const std::vector<BandRule>& rules, std::uint64_t hz) {
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (rules[i].Holds(hz)) return i;
    }
    return std::nullopt;
}

std::vector<std::string> OverlapNotes(const std::vector<BandRule>& rules) {
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        for (std::size_t j = i + 1; j < rules.size(); ++j) {
            const std::uint64_t from = std::max(rules[i].fromHz, rules[j].fromHz);
            const std::uint64_t to = std::min(rules[i].toHz, rules[j].toHz);
            if (from > to) continue;
            notes.push_back("rules " + std::to_string(i + 1) + " and " + std::to_string(j + 1) +
                            " overlap; the first wins, rule " + std::to_string(i + 1) +
                            " from " + std::to_string(from) + " to " + std::to_string(to) +
                            " Hz");
        }
    }
    return notes;
}

std::string MegahertzText(std::uint64_t hz) {
    const std::uint64_t khz = (hz + 500) / 1000;
    std::string fraction = std::to_string(khz % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(khz / 1000) + "." + fraction + " MHz";
}

}  // namespace torvik::bands

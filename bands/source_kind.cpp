#include "bands/source_kind.h"

#include <array>
#include <optional>
#include <vector>

namespace torvik::bands {
namespace {

constexpr const char* kFormats =
    " is not a source: IP:PORT or rigctld:IP:PORT, flrig[:IP:PORT], "
    "radioinfo[:[IP:]PORT[:RADIO]] or wsjtx[:[IP:]PORT]";

std::string Refusal(std::string_view text) {
    std::string shown = "'";
    for (char c : text.substr(0, 32)) shown.push_back(c >= ' ' && c <= '~' ? c : '?');
    if (text.size() > 32) shown += "...";
    return shown + "'" + kFormats;
}

std::vector<std::string_view> SplitColons(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t colon = text.find(':');
        parts.push_back(text.substr(0, colon));
        if (colon == std::string_view::npos) return parts;
        text.remove_prefix(colon + 1);
    }
}

bool LooksLikeHost(std::string_view part) {
    return part == "localhost" || part.find('.') != std::string_view::npos;
}

std::optional<int> RadioNumber(std::string_view text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + kMaxRadioNumber) return std::nullopt;
    return text[0] - '0';
}

// "HOST:PORT" through the address parser, which holds every check of both.
std::optional<SourceAddress> Address(std::string_view host, std::string_view port) {
    const Checked<SourceAddress> address =
        ParseSourceAddress(std::string(host) + ":" + std::string(port));
    return address.value;
}

std::optional<SourceKind> KindNamed(std::string_view word) {
    std::string lower;
    for (char c : word.substr(0, 10)) lower.push_back(c >= 'A' && c <= 'Z' ? char(c + 32) : c);
    if (word.size() > 10) return std::nullopt;
    if (lower == "rigctld") return SourceKind::kRigctld;
    if (lower == "flrig") return SourceKind::kFlrig;
    if (lower == "radioinfo") return SourceKind::kRadioInfo;
    if (lower == "wsjtx") return SourceKind::kWsjtx;
    return std::nullopt;
}

std::uint16_t DefaultPort(SourceKind kind) {
    switch (kind) {
    case SourceKind::kRigctld: return 4532;
    case SourceKind::kFlrig: return kFlrigPort;
    case SourceKind::kRadioInfo: return kRadioInfoPort;
    case SourceKind::kWsjtx: return kWsjtxPort;
    }
    return 4532;
}

std::optional<FrequencySource> Parse(std::string_view text) {
    const std::vector<std::string_view> parts = SplitColons(text);
    const std::optional<SourceKind> kind = KindNamed(parts[0]);
    if (!kind) {
        if (parts.size() != 2) return std::nullopt;
        const std::optional<SourceAddress> address = Address(parts[0], parts[1]);
        if (!address) return std::nullopt;
        return FrequencySource{SourceKind::kRigctld, *address, 1};
    }
    FrequencySource chosen{*kind, {}, 1};
    chosen.address.port = DefaultPort(*kind);
    const std::size_t extra = parts.size() - 1;
    if (extra == 0) return chosen;
    if (!chosen.Pushed()) {
        if (extra != 2) return std::nullopt;
        const std::optional<SourceAddress> address = Address(parts[1], parts[2]);
        if (!address) return std::nullopt;
        chosen.address = *address;
        return chosen;
    }
    // Pushed: [HOST:]PORT, and for RadioInfo a radio number after the port.
    const bool named = LooksLikeHost(parts[1]);
    const std::size_t portAt = named ? 2 : 1;
    const std::size_t radioAt = portAt + 1;
    const std::size_t most = chosen.kind == SourceKind::kRadioInfo ? radioAt : portAt;
    if (parts.size() <= portAt || parts.size() - 1 > most) return std::nullopt;
    const std::optional<SourceAddress> address =
        Address(named ? parts[1] : std::string_view("127.0.0.1"), parts[portAt]);
    if (!address) return std::nullopt;
    chosen.address = *address;
    if (parts.size() > radioAt) {
        const std::optional<int> radio = RadioNumber(parts[radioAt]);
        if (!radio) return std::nullopt;
        chosen.radio = *radio;
    }
    return chosen;
}

}  // namespace

std::string FrequencySource::Text() const {
    const SourceAddress loopback{{127, 0, 0, 1}, address.port};
    switch (kind) {
    case SourceKind::kRigctld: return address.Text();
    case SourceKind::kFlrig: return "flrig:" + address.Text();
    case SourceKind::kRadioInfo:
    case SourceKind::kWsjtx: {
        std::string text = kind == SourceKind::kWsjtx ? "wsjtx:" : "radioinfo:";
        text += address == loopback ? std::to_string(address.port) : address.Text();
        if (kind == SourceKind::kRadioInfo && radio != 1) {
            text.push_back(':');
            text += std::to_string(radio);
        }
        return text;
    }
    }
    return address.Text();
}

Checked<FrequencySource> ParseSource(std::string_view text) {
    std::optional<FrequencySource> chosen = Parse(text);
    if (!chosen) return {std::nullopt, Refusal(text)};
    return {chosen, {}};
}

const char* SourceName(SourceKind kind) {
    switch (kind) {
    case SourceKind::kRigctld: return "rig";
    case SourceKind::kFlrig: return "flrig";
    case SourceKind::kRadioInfo: return "logger";
    case SourceKind::kWsjtx: return "WSJT-X";
    }
    return "rig";
}

bool AcceptsSender(const FrequencySource& source, const std::uint8_t (&sender)[4]) {
    return source.address.octets[0] != 127 || sender[0] == 127;
}

}  // namespace torvik::bands

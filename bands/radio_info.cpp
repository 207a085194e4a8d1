#include "bands/radio_info.h"

#include <string>
#include <vector>

#include "bands/band_rules.h"
#include "bands/xml_fields.h"

namespace torvik::bands {
namespace {

bool SameLetters(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? char(text[i] + 32) : text[i];
        if (c != lower[i]) return false;
    }
    return true;
}

// Tens of Hz to Hz, refusing what would pass kMaxFrequencyHz.
std::optional<std::uint64_t> TensOfHz(std::string_view text) {
    const Checked<std::uint64_t> tens = ParseFrequency(text);
    if (!tens || *tens.value > kMaxFrequencyHz / 10) return std::nullopt;
    return *tens.value * 10;
}

}  // namespace

std::optional<RadioInfo> ReadRadioInfo(std::string_view datagram) {
    const std::optional<std::vector<XmlField>> fields = ReadXmlFields(datagram);
    if (!fields || fields->empty() || (*fields)[0].path != "RadioInfo") return std::nullopt;
    RadioInfo info;

    const std::optional<std::string_view> freq = FieldText(*fields, "RadioInfo/Freq");
    if (!freq) return std::nullopt;
    const std::optional<std::uint64_t> hz = TensOfHz(*freq);
    if (!hz) return std::nullopt;
    info.hz = *hz;

    if (const auto tx = FieldText(*fields, "RadioInfo/TXFreq"); tx && !tx->empty()) {
        const std::optional<std::uint64_t> txHz = TensOfHz(*tx);
        if (!txHz) return std::nullopt;
        info.txHz = *txHz;
    }
    if (const auto number = FieldText(*fields, "RadioInfo/RadioNr")) {
        const Checked<std::uint64_t> radio = ParseFrequency(*number);
        if (!radio || *radio.value < 1 || *radio.value > 99) return std::nullopt;
        info.radio = static_cast<int>(*radio.value);
    }
    if (const auto keyed = FieldText(*fields, "RadioInfo/IsTransmitting")) {
        if (SameLetters(*keyed, "true")) {
            info.transmitting = true;
        } else if (!SameLetters(*keyed, "false")) {
            return std::nullopt;
        }
    }
    const std::optional<std::string_view> name = FieldText(*fields, "RadioInfo/RadioName");
    info.noRadio = info.hz == 0 || (name && SameLetters(*name, "manual"));
    return info;
}

}  // namespace torvik::bands

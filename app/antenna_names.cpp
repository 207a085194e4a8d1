#include "app/antenna_names.h"

#include <cstdint>
#include <optional>

namespace torvik {
namespace {

constexpr const char* kNameKeys[kNamedAntennas] = {"NAME-1", "NAME-2", "NAME-3"};
constexpr std::string_view kKeysetSuffix = "_KEYSET";

// The code point at text[at], advancing at; nothing for a malformed, overlong or surrogate
// sequence.
std::optional<std::uint32_t> NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    int length = 0;
    std::uint32_t value = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < static_cast<std::size_t>(length)) return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    at += static_cast<std::size_t>(length);
    return value;
}

std::string Hex(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "U+";
    for (int shift = value > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) {
        text.push_back(kDigits[(value >> shift) & 0xF]);
    }
    return text;
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string BoxSectionOf(std::string_view keysetSection, std::string_view suffix) {
    std::string_view serial = keysetSection;
    if (serial.size() >= kKeysetSuffix.size() &&
        serial.substr(serial.size() - kKeysetSuffix.size()) == kKeysetSuffix) {
        serial.remove_suffix(kKeysetSuffix.size());
    }
    return std::string(serial) + std::string(suffix);
}

std::string NamesSectionOf(std::string_view keysetSection) {
    return BoxSectionOf(keysetSection, "_NAMES");
}

std::string ShownName(const AntennaNames& names, int antenna) {
    if (antenna >= 0 && antenna < kNamedAntennas && !names[static_cast<std::size_t>(antenna)].empty()) {
        return names[static_cast<std::size_t>(antenna)];
    }
    return "Antenna " + std::to_string(antenna + 1);
}

std::string NameProblem(std::string_view text, bool unicodeFile) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<std::uint32_t> c = NextCodePoint(text, at);
        if (!c) return "the name is not valid UTF-8 text";
        if (*c == 0) return "a name cannot hold a NUL character";
        if (*c == '\n' || *c == '\r') return "a name cannot hold a line break";
        if (*c < 0x20 || (*c >= 0x7F && *c < 0xA0)) {
            return "a name cannot hold the control character " + Hex(*c);
        }
        if (*c >= 0x80 && !unicodeFile) {
            return "Torvik.ini is not a Unicode (UTF-16) file and cannot hold " + Hex(*c) +
                   "; use plain letters, digits and signs";
        }
        ++characters;
    }
    if (characters > kMaxNameCharacters) {
        return "a name has at most " + std::to_string(kMaxNameCharacters) + " characters, not " +
               std::to_string(characters);
    }
    // The settings file trims a value and drops one pair of quotes around it.
    if (!text.empty() && (IsSpace(text.front()) || IsSpace(text.back()))) {
        return "a name cannot begin or end with a space";
    }
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        return "a name cannot be wholly in quotes";
    }
    return {};
}

bool AnyNamed(const AntennaNames& names) {
    for (const std::string& name : names) {
        if (!name.empty()) return true;
    }
    return false;
}

AntennaNames LoadNames(SettingsStore& settings, const std::string& keysetSection) {
    AntennaNames names;
    const std::string section = NamesSectionOf(keysetSection);
    for (int i = 0; i < kNamedAntennas; ++i) {
        std::optional<std::string> stored = settings.ReadString(section, kNameKeys[i]);
        // A hand-edited value in a Unicode file may hold what a plain file could not; a broken
        // one is left out rather than shown wrong.
        if (stored && NameProblem(*stored, true).empty()) {
            names[static_cast<std::size_t>(i)] = std::move(*stored);
        }
    }
    return names;
}

std::string StoreName(SettingsStore& settings, const std::string& keysetSection, int antenna,
                      std::string_view text) {
    if (antenna < 0 || antenna >= kNamedAntennas) return "no antenna " + std::to_string(antenna + 1);
    if (std::string problem = NameProblem(text, settings.HoldsUnicode()); !problem.empty()) {
        return problem;
    }
    const profile::KeyValue entry{kNameKeys[antenna], text};
    if (!settings.WriteStrings(NamesSectionOf(keysetSection), {&entry, 1})) {
        return kNamesNotWritten;
    }
    return {};
}

std::string MaskAsNames(const AntennaNames& names, unsigned mask) {
    std::string text;
    for (int i = 0; i < kNamedAntennas; ++i) {
        if ((mask >> i & 1u) == 0) continue;
        if (!text.empty()) text += ", ";
        text += ShownName(names, i);
    }
    return text.empty() ? "none" : text;
}

std::string TipWithAntennas(const std::string& tip, const AntennaNames& names, unsigned mask) {
    constexpr std::size_t kTipBytes = 63;
    if (!AnyNamed(names)) return tip;
    std::string text = tip + "\non: " + MaskAsNames(names, mask);
    if (text.size() > kTipBytes) {
        std::size_t end = kTipBytes;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
        text.resize(end);
    }
    return text;
}

}  // namespace torvik

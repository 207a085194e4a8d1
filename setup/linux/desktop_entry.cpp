#include "setup/linux/desktop_entry.h"

#include <algorithm>

namespace torvik::desktop {
namespace {

constexpr std::string_view kReserved = " \t\n\r\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

bool CanBeWritten(std::string_view argument) {
    const bool control = std::any_of(argument.begin(), argument.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F;
    });
    return !control && IsUtf8(argument);
}

std::string QuotedArgument(std::string_view argument) {
    const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
    std::string out;
    if (quote) out.push_back('"');
    for (const char c : argument) {
        if (quote && kEscapedInQuotes.find(c) != std::string_view::npos) out.push_back('\\');
        if (c == '%') out.push_back('%');
        out.push_back(c);
    }
    if (quote) out.push_back('"');
    return out;
}

std::string StringEscaped(std::string_view value) {
    std::string out;
    for (const char c : value) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default: out.push_back(c);
        }
    }
    return out;
}

std::string StringUnescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out.push_back(value[i]);
            continue;
        }
        switch (value[++i]) {
            case 's': out.push_back(' '); break;
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case 'r': out.push_back('\r'); break;
            case '\\': out.push_back('\\'); break;
            default: out.push_back('\\'); out.push_back(value[i]);  // no escape: kept as written
        }
    }
    return out;
}

std::string FieldCodesUndoubled(std::string_view argument) {
    std::string out;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        out.push_back(argument[i]);
        if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%') ++i;
    }
    return out;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<std::string> ExecValue(const std::vector<std::string>& arguments) {
    if (arguments.empty() || !arguments.front().starts_with('/') ||
        arguments.front().find('=') != std::string::npos) {
        return std::nullopt;
    }
    std::string value;
    for (const std::string& argument : arguments) {
        if (!CanBeWritten(argument)) return std::nullopt;
        if (!value.empty()) value.push_back(' ');
        value += QuotedArgument(argument);
    }
    return StringEscaped(value);
}

std::optional<std::vector<std::string>> ExecArguments(std::string_view written) {
    const std::string value = StringUnescaped(written);
    std::vector<std::string> arguments;
    std::size_t i = 0;
    for (;;) {
        while (i < value.size() && value[i] == ' ') ++i;
        if (i == value.size()) return arguments;
        std::string argument;
        if (value[i] == '"') {
            for (++i;; ++i) {
                if (i == value.size()) return std::nullopt;  // the quote is never closed
                if (value[i] == '"') break;
                if (value[i] == '\\' && i + 1 < value.size() &&
                    kEscapedInQuotes.find(value[i + 1]) != std::string_view::npos) {
                    ++i;
                }
                argument.push_back(value[i]);
            }
            ++i;
            if (i < value.size() && value[i] != ' ') return std::nullopt;
        } else {
            while (i < value.size() && value[i] != ' ') argument.push_back(value[i++]);
        }
        arguments.push_back(FieldCodesUndoubled(argument));
    }
}

std::optional<std::map<std::string, std::string, std::less<>>> DesktopEntryGroup(std::string_view text) {
    std::map<std::string, std::string, std::less<>> keys;
    bool seen = false;
    bool inside = false;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with('[')) {
            inside = line == "[Desktop Entry]" && !seen;
            seen = seen || inside;
            continue;
        }
        const auto equals = line.find('=');
        if (!inside || line.starts_with('#') || equals == std::string_view::npos) continue;
        const std::string_view key = Trimmed(line.substr(0, equals));
        if (!key.empty()) keys.emplace(std::string(key), std::string(Trimmed(line.substr(equals + 1))));
    }
    if (!seen) return std::nullopt;
    return keys;
}

}  // namespace torvik::desktop

#include "core/ini_text.h"

#include <algorithm>
#include <cstddef>

namespace torvik::profile {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

// One line of the text: [begin, contentEnd) is its content without the line ending, next is
// where the following line starts (the text's size after the last line).
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t next = 0;
};

Line LineAt(std::string_view text, std::size_t begin) {
    Line line{begin, text.size(), text.size()};
    const std::size_t newline = text.find('\n', begin);
    if (newline != std::string_view::npos) {
        line.contentEnd = newline;
        line.next = newline + 1;
    }
    if (line.contentEnd > begin && text[line.contentEnd - 1] == '\r') --line.contentEnd;
    return line;
}

std::string_view Content(std::string_view text, const Line& line) {
    std::string_view content = text.substr(line.begin, line.contentEnd - line.begin);
    if (line.begin == 0 && content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    return content;
}

// The section name when the line is a section header.
std::optional<std::string_view> SectionHeader(std::string_view content) {
    content = TrimLeft(content);
    if (!content.starts_with('[')) return std::nullopt;
    const std::size_t close = content.rfind(']');
    if (close == std::string_view::npos || close == 0) return std::nullopt;
    return Trim(content.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
    std::size_t equalsOffset = 0;  // offset of the '=' within the content
};

// The key and value when the line is a key line (the caller has ruled out headers).
std::optional<KeyLine> ParseKeyLine(std::string_view content) {
    const std::string_view rest = TrimLeft(content);
    if (rest.starts_with(';')) return std::nullopt;
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{Trim(content.substr(0, equals)), Trim(content.substr(equals + 1)), equals};
}

// Appends the lines in [from, to) with their endings made CRLF.
void AppendLines(std::string_view text, std::size_t from, std::size_t to, std::string& out) {
    for (std::size_t pos = from; pos < to;) {
        const Line line = LineAt(text, pos);
        out.append(text.substr(line.begin, line.contentEnd - line.begin));
        out.append(kLineEnd);
        pos = line.next;
    }
}

bool HasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsStorableName(std::string_view name) {
    return !name.empty() && !HasLineBreakOrNul(name) && !IsSpace(name.front()) &&
           !IsSpace(name.back());
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
    bool inSection = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.next;
        const std::string_view content = Content(text, line);
        if (const auto header = SectionHeader(content)) {
            if (inSection) return std::nullopt;  // the first section of the name has ended
            inSection = EqualsNoCase(*header, section);
            continue;
        }
        if (!inSection) continue;
        if (const auto entry = ParseKeyLine(content); entry && EqualsNoCase(entry->name, key)) {
            return entry->value;
        }
    }
    return std::nullopt;
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value) {
    bool inSection = false;
    bool sectionFound = false;
    std::size_t insertAt = 0;                // where a new key line goes
    std::optional<Line> existing;            // the key line to change
    std::size_t existingEqualsOffset = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.next;
        const std::string_view content = Content(text, line);
        if (const auto header = SectionHeader(content)) {
            if (inSection) break;
            if (EqualsNoCase(*header, section)) {
                inSection = sectionFound = true;
                insertAt = line.next;
            }
            continue;
        }
        if (!inSection) continue;
        if (const auto entry = ParseKeyLine(content)) {
            if (EqualsNoCase(entry->name, key)) {
                existing = line;
                // The BOM skipped by Content() still sits before the content in the text.
                existingEqualsOffset =
                    static_cast<std::size_t>(content.data() - text.data()) - line.begin +
                    entry->equalsOffset;
                break;
            }
            insertAt = line.next;
        }
    }

    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 16);
    if (existing) {
        AppendLines(text, 0, existing->begin, out);
        out.append(text.substr(existing->begin, existingEqualsOffset + 1));
        out.append(value);
        out.append(kLineEnd);
        AppendLines(text, existing->next, text.size(), out);
    } else if (sectionFound) {
        AppendLines(text, 0, insertAt, out);
        out.append(key).append("=").append(value).append(kLineEnd);
        AppendLines(text, insertAt, text.size(), out);
    } else {
        AppendLines(text, 0, text.size(), out);
        out.append("[").append(section).append("]").append(kLineEnd);
        out.append(key).append("=").append(value).append(kLineEnd);
    }
    return out;
}

bool IsStorableSection(std::string_view section) {
    return IsStorableName(section);
}

bool IsStorableKey(std::string_view key) {
    return IsStorableName(key) && key.find('=') == std::string_view::npos &&
           key.front() != ';' && key.front() != '[';
}

bool IsStorableValue(std::string_view value) {
    return !HasLineBreakOrNul(value);
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::optional<std::int32_t> ParseInt(std::string_view value) {
    value = TrimLeft(value);
    bool negative = false;
    if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    std::uint32_t base = 10;
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X') &&
        HexDigitValue(value[2]) >= 0) {
        base = 16;
        value.remove_prefix(2);
    }
    std::uint32_t magnitude = 0;
    std::size_t digits = 0;
    for (const char c : value) {
        const int digit = HexDigitValue(c);
        if (digit < 0 || static_cast<std::uint32_t>(digit) >= base) break;
        magnitude = magnitude * base + static_cast<std::uint32_t>(digit);  // wraps like Windows
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (negative) magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

}  // namespace torvik::profile

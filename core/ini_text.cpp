#include "core/ini_text.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace torvik::profile {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
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

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

// Names and values are C strings to the platform: they end at a NUL.
std::string_view UpToNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

// A name as the lookup compares it.
std::string_view RequestedName(std::string_view name) {
    return Trim(UpToNul(name));
}

// One line of the text: [begin, contentEnd) is its content without the line ending, next is
// where the following line starts (the text's size after the last line). A line ends at CRLF,
// CR or LF.
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t next = 0;
};

Line LineAt(std::string_view text, std::size_t begin) {
    Line line{begin, text.size(), text.size()};
    const std::size_t end = text.find_first_of("\r\n", begin);
    if (end != std::string_view::npos) {
        line.contentEnd = end;
        line.next = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
                        ? end + 2
                        : end + 1;
    }
    return line;
}

// What one line is to the reader.
struct Entry {
    enum class Kind { kBlank, kHeader, kKey };
    Kind kind = Kind::kBlank;
    std::string_view name;                  // the section's or the key's
    std::optional<std::string_view> value;  // nothing for a key without '='
    std::size_t valueBegin = 0;             // offset in the text right after the '='
};

Entry ParseLine(std::string_view text, const Line& line) {
    std::string_view content = text.substr(line.begin, line.contentEnd - line.begin);
    if (line.begin == 0 && content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    content = Trim(content);
    if (content.empty()) return {};
    if (content.front() == '[') {
        const std::size_t close = content.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            return {Entry::Kind::kHeader, UpToNul(Trim(content.substr(1, close - 1))), {}, 0};
        }
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return {Entry::Kind::kKey, UpToNul(content), {}, 0};
    const std::string_view value = content.substr(equals + 1);
    return {Entry::Kind::kKey, UpToNul(TrimRight(content.substr(0, equals))),
            UpToNul(TrimLeft(value)),
            static_cast<std::size_t>(value.data() - text.data())};
}

// Where a key is, as the reader finds it, and where a new one would go.
struct Location {
    bool sectionFound = false;
    std::size_t insertAt = 0;  // after the section's last key line, or after its header
    std::optional<Line> line;  // the key's line
    Entry entry;               // and what it holds
};

Location Locate(std::string_view text, std::string_view section, std::string_view key) {
    const std::string_view wantedSection = RequestedName(section);
    const std::string_view wantedKey = RequestedName(key);
    Location where;
    // The lines before the first header form the section "", which therefore always comes
    // first: a later "[]" never gets looked at.
    bool inSection = wantedSection.empty();
    where.sectionFound = inSection;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.next;
        const Entry entry = ParseLine(text, line);
        if (entry.kind == Entry::Kind::kBlank) continue;
        if (entry.kind == Entry::Kind::kHeader) {
            if (inSection) break;  // only the first section of the name is looked at
            if (EqualsNoCase(entry.name, wantedSection)) {
                inSection = where.sectionFound = true;
                where.insertAt = line.next;
            }
            continue;
        }
        if (!inSection) continue;
        if (EqualsNoCase(entry.name, wantedKey)) {
            where.line = line;
            where.entry = entry;
            break;
        }
        // A new key goes before trailing comments, which usually introduce the next section.
        if (!entry.name.starts_with(';')) where.insertAt = line.next;
    }
    return where;
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

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
    return Locate(text, section, key).entry.value;
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value) {
    const Location where = Locate(text, section, key);
    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 16);
    if (where.line) {
        const Line& line = *where.line;
        AppendLines(text, 0, line.begin, out);
        if (where.entry.value) {
            out.append(text.substr(line.begin, where.entry.valueBegin - line.begin));
        } else {
            out.append(text.substr(line.begin, line.contentEnd - line.begin)).append("=");
        }
        out.append(value).append(kLineEnd);
        AppendLines(text, line.next, text.size(), out);
    } else if (where.sectionFound) {
        AppendLines(text, 0, where.insertAt, out);
        out.append(key).append("=").append(value).append(kLineEnd);
        AppendLines(text, where.insertAt, text.size(), out);
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
    return Unquote(value, std::numeric_limits<std::size_t>::max());
}

std::string_view Unquote(std::string_view value, std::size_t capacity) {
    if (capacity == 0) return {};
    bool quoted = false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string_view kept = value.substr(0, std::min(value.size(), capacity - 1));
    if (quoted && capacity >= value.size() && !kept.empty()) kept.remove_suffix(1);
    return kept;
}

std::int32_t ParseInt(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint32_t base = 10;
    if (text.size() >= 2 && text[0] == '0') {
        base = text[1] == 'x' ? 16 : text[1] == 'o' ? 8 : text[1] == 'b' ? 2 : 10;
        if (base != 10) text.remove_prefix(2);
    }
    std::uint32_t magnitude = 0;
    for (const char c : text) {
        const int digit = DigitValue(c);
        if (digit < 0 || static_cast<std::uint32_t>(digit) >= base) break;
        magnitude = magnitude * base + static_cast<std::uint32_t>(digit);  // wraps like Windows
    }
    if (negative) magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

std::int32_t IntFromValue(std::optional<std::string_view> value, std::int32_t defaultValue) {
    if (!value) return defaultValue;
    const std::string_view text = Unquote(*value, kIntReadCapacity);
    return text.empty() ? defaultValue : ParseInt(text);
}

}  // namespace torvik::profile

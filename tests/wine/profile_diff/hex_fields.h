#pragma once
// The line format shared by profile_diff and profile_reader.exe: tab-separated fields, names
// and values as lower-case hex so that any byte survives the trip.

#include <string>
#include <string_view>
#include <vector>

namespace torvik::profilediff {

inline std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(digits[byte >> 4]);
        out.push_back(digits[byte & 15]);
    }
    return out;
}

inline int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

inline std::string Unhex(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        out.push_back(static_cast<char>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1])));
    }
    return out;
}

// The fields of one line; a CR before the line's end is dropped.
inline std::vector<std::string> Fields(std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back().push_back(c);
        }
    }
    return fields;
}

}  // namespace torvik::profilediff

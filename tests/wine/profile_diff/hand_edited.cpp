#include "tests/wine/profile_diff/hand_edited.h"

#include <algorithm>
#include <cstdio>

namespace torvik::profilediff {
namespace {

const std::vector<std::string> kSections = {
    "TV01MIRVAX8A_KEYSET", "A1_KEYSET", "b2_keyset", "S", "Other", "With Space", "x]y",
    "semi;colon", "a=b", "\xC9t\xE9", "MIRVAX8C3_KEYSET"};
const std::vector<std::string> kKeys = {
    "ANTENNA-1", "ANTENNA-2", "ANTENNA-3", "SWITCHMIXER", "CONFIG", "K", "key two",
    "Antenna-1", "x", "\xC4nt", "#hash", "[bracket"};
const std::vector<std::string> kProgramKeys = {"ANTENNA-1", "ANTENNA-2", "ANTENNA-3",
                                               "SWITCHMIXER", "CONFIG"};
// Sizes of the struct values the generator writes besides the 530-byte CONFIG.
const std::vector<unsigned> kStructSizes = {1, 2, 4, 8};
constexpr unsigned kConfigSize = 530;

const char* const kSpaceBytes[] = {" ", "\t", "\x0B", "\x0C", "\x1A", "  ", " \t"};

bool IsHighByte(char c) {
    return static_cast<unsigned char>(c) > 0x7F;
}

char FlipCase(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    return c;
}

std::string Hex(unsigned byte) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", byte & 0xFF);
    return digits;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::string HandEditedFiles::Spaces() {
    if (OneIn(2)) return "";
    return kSpaceBytes[Below(std::size(kSpaceBytes))];
}

std::string HandEditedFiles::Respell(const std::string& name) {
    std::string out = name;
    switch (Below(4)) {
    case 0: std::transform(out.begin(), out.end(), out.begin(), FlipCase); break;
    case 1:
        if (!out.empty()) {
            char& c = out[Below(static_cast<std::uint32_t>(out.size()))];
            c = FlipCase(c);
        }
        break;
    default: break;
    }
    return out;
}

std::string HandEditedFiles::Number() {
    static const std::vector<std::string> shapes = {
        "0", "1", "2", "-1", "+7", "12abc", "abc", "=5", "- 4", "x=y", "0x1F", "0X1F", "0x",
        "0xg", "0o17", "0O17", "0b101", "0B1", "0b2", "2147483647", "2147483648", "-2147483649",
        "4294967297", "99999999999999999999", "007", " 5", "5 ", "\"4\"", "'4'", "\"4'",
        "\"\"", "''", "\"", "1.5", "1e3", "\x01" "5", "\xA0" "5", "5\x1A", "\x1A" "5", "0x-1",
        "--1", "+-1", "1,000", "\"  7\"", "-0x10", "-0", "0b", "0o", "z"};
    std::string number = Pick(shapes);
    if (OneIn(6)) {
        // Long runs of digits around the read buffer's size, quoted or not.
        const unsigned length = 26 + Below(8);
        number = std::string(length - 2, '0') + std::to_string(10 + Below(90));
        if (OneIn(2)) number = "\"" + number + "\"";
    }
    return number;
}

std::string HandEditedFiles::StructText(unsigned size) {
    std::string digits;
    unsigned sum = 0;
    for (unsigned i = 0; i < size; ++i) {
        const unsigned byte = Below(256);
        sum += byte;
        digits += Hex(byte);
    }
    digits += Hex(sum);
    switch (Below(12)) {
    case 0: return Lower(digits);
    case 1: return digits + Pick<std::string>({"0", "00", "x", " ; old", "ZZ"});
    case 2: return "\"" + digits + "\"";
    case 3: return "\"" + digits + "0\"";
    case 4: return "'" + digits + "00'";
    case 5: digits.back() = digits.back() == '0' ? '1' : '0'; return digits;  // bad sum
    case 6: digits[Below(static_cast<std::uint32_t>(digits.size()))] = 'G'; return digits;
    case 7: return digits.substr(0, digits.size() - 1 - Below(3));
    case 8: digits.insert(digits.size() / 2, " "); return digits;
    default: return digits;
    }
}

std::string HandEditedFiles::Value() {
    switch (Below(10)) {
    case 0: return "";
    case 1: return Pick<std::string>({"on", "\"quoted text\"", "'single'", "a = b", "; not a "
                                      "comment", "[not a header]", "tab\there", "\xE9t\xE9",
                                      "\x80\x81\xFF", "a\x1A" "b"});
    case 2: return std::string(200 + Below(4000), static_cast<char>('a' + Below(26)));
    case 3: return StructText(Pick(kStructSizes));
    default: return Number();
    }
}

std::string HandEditedFiles::Header(const std::string& name) {
    const std::string inner = Spaces() + Respell(name) + Spaces();
    switch (Below(14)) {
    case 0: return Spaces() + "[" + inner;                  // no ']': a key line
    case 1: return "[" + inner + "] ; comment";
    case 2: return "[" + inner + "]]";
    case 3: return "[]";
    case 4: return "[" + Spaces() + "]";
    case 5: return "[" + inner + "]=1";
    default: return Spaces() + "[" + inner + "]" + Spaces();
    }
}

std::string HandEditedFiles::KeyLine(const std::string& key) {
    const std::string name = Spaces() + Respell(key) + Spaces();
    if (OneIn(8)) return name;  // a key without '='
    const std::string value =
        key == "CONFIG" && !OneIn(4) ? StructText(kConfigSize) : Value();
    return name + "=" + Spaces() + value + Spaces();
}

std::string HandEditedFiles::OddLine() {
    switch (Below(10)) {
    case 0: return "";
    case 1: return Spaces();
    case 2: return ";" + Pick(kKeys) + "=commented out";
    case 3: return Spaces() + "; " + Pick(kKeys) + " = 1";
    case 4: return "# " + Pick(kKeys) + "=2";
    case 5: return "=" + Number();
    case 6: return std::string("K") + '\0' + "x=" + Number();
    case 7: return std::string(Pick(kKeys)) + "=a" + '\0' + "b";
    case 8: return "[" + Spaces() + Pick(kSections) + Spaces() + '\0' + "x]";
    default: return "just some words";
    }
}

HandEditedFile HandEditedFiles::Next() {
    HandEditedFile file;
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    std::vector<std::string> lines;
    // One file in eight starts with a byte order mark: UTF-8, UTF-16 LE or UTF-16 BE.
    const unsigned byteOrderMarks = Below(24);
    const bool byteOrderMark = byteOrderMarks < 3;

    if (OneIn(4)) lines.push_back(KeyLine(Pick(kKeys)));  // before any section
    const unsigned sectionCount = 1 + Below(4);
    for (unsigned s = 0; s < sectionCount; ++s) {
        const std::string section = OneIn(3) ? kSections[0] : Pick(kSections);
        sections.push_back(section);
        lines.push_back(Header(section));
        const unsigned lineCount = Below(9);
        for (unsigned l = 0; l < lineCount; ++l) {
            if (OneIn(4)) {
                lines.push_back(OddLine());
                continue;
            }
            const std::string key = OneIn(2) ? Pick(kProgramKeys) : Pick(kKeys);
            keys.push_back(key);
            lines.push_back(KeyLine(key));
        }
    }

    static const char* const kLineEnds[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r"};
    const unsigned endStyle = Below(6);  // 5: a mix of all of them
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (byteOrderMark) {
            // The platform turns Unicode into the Western code page, the core into UTF-8: a file
            // with a mark keeps to ASCII.
            std::erase_if(line, IsHighByte);
        }
        file.text += line;
        const bool last = i + 1 == lines.size();
        if (!last || !OneIn(3)) file.text += kLineEnds[endStyle < 5 ? endStyle : Below(5)];
    }
    if (byteOrderMarks == 0) file.text = "\xEF\xBB\xBF" + file.text;
    if (byteOrderMarks == 1 || byteOrderMarks == 2) {
        const bool bigEndian = byteOrderMarks == 2;
        std::string wide = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char c : file.text) {
            wide += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        }
        file.text = wide;
    }

    // Reads: the program's keys in the program's section, then names from the file, spelled
    // as written or otherwise.
    sections.push_back(kSections[0]);
    sections.push_back("Missing");
    for (const std::string& key : kProgramKeys) keys.push_back(key);
    for (const std::string& key : kProgramKeys) {
        file.reads.push_back({kSections[0], key, key == "CONFIG" ? kConfigSize : 2});
    }
    const unsigned extra = 3 + Below(6);
    for (unsigned r = 0; r < extra; ++r) {
        std::string section = Pick(sections);
        std::string key = Pick(keys);
        if (OneIn(4)) section = Respell(section);
        if (OneIn(4)) key = Respell(key);
        if (OneIn(8)) key = " " + key + "\t";
        if (OneIn(16)) section = "";
        if (OneIn(16)) key = OneIn(2) ? "" : "; " + key;
        file.reads.push_back({section, key, key == "CONFIG" ? kConfigSize : Pick(kStructSizes)});
    }

    // One write, of names our writer can store.
    static const std::vector<std::string> writeKeys = {"ANTENNA-1", "ANTENNA-2", "ANTENNA-3",
                                                       "SWITCHMIXER", "CONFIG", "K", "New"};
    file.write.section = OneIn(5) ? std::string("New_KEYSET") : Pick(sections);
    if (file.write.section == "Missing" ||
        std::any_of(file.write.section.begin(), file.write.section.end(), IsHighByte)) {
        file.write.section = kSections[0];
    }
    file.write.section = Respell(file.write.section);
    const std::string& key = Pick(writeKeys);
    file.write.value = key == "CONFIG" ? StructText(kConfigSize) : Value();
    file.write.key = Respell(key);
    if (OneIn(6)) file.write.value = " " + file.write.value + " ";
    if (byteOrderMark) std::erase_if(file.write.value, IsHighByte);
    file.reads.push_back({file.write.section, file.write.key,
                          key == "CONFIG" ? kConfigSize : 4});
    return file;
}

}  // namespace torvik::profilediff

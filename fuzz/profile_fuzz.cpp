// Fuzzes the INI text layer: every read the program makes of any text, and the invariants of
// a write.
//
// Input: a few bytes choose the section, key and value to write; the rest is the file's text.
// Checked for every input:
// - reads never fail badly (the sanitizers watch); a found value is a piece of one line, with
//   no whitespace in front and none behind unless a NUL cut it off there;
// - the string and integer reads take no more than the value and their buffers hold;
// - a struct read that succeeds re-encodes to the digits it was read from, and one that fails
//   leaves its target alone;
// - a UTF-16 file that can be written back comes back byte for byte through its decoding;
// - after a write the value reads back, every other (section, key) reads as before, the text
//   has CRLF line ends only, and writing the same value again changes nothing.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ini_text.h"
#include "core/profile_encoding.h"
#include "core/profile_file.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace torvik::profile;
using torvik::fuzz::Require;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view UpToNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Names end at a NUL for the reader, which then trims them as it trims the file's names.
bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    a = Trim(UpToNul(a));
    b = Trim(UpToNul(b));
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

// Rough (section, key) candidates taken from the text; they need not be exact, since the
// invariant they probe holds for any pair other than the one written.
std::vector<std::pair<std::string, std::string>> Probes(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> probes;
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size() && probes.size() < 32) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        const std::size_t open = line.find('[');
        const std::size_t close = line.rfind(']');
        if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
            section = std::string(Trim(line.substr(open + 1, close - open - 1)));
        } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
            probes.emplace_back(section, std::string(Trim(line.substr(0, equals))));
        }
    }
    return probes;
}

std::optional<std::string> Find(std::string_view text, std::string_view section,
                                std::string_view key) {
    const auto value = FindValue(text, section, key);
    if (value) return std::string(*value);
    return std::nullopt;
}

bool IsPieceOf(std::string_view piece, std::string_view whole) {
    return piece.data() >= whole.data() &&
           piece.data() + piece.size() <= whole.data() + whole.size();
}

// A struct read of the value, and what it must give when it succeeds.
void CheckStructRead(std::string_view value, std::size_t size) {
    std::vector<unsigned char> block(size + 1, 0xA5);
    if (!StructFromValue(value, block.data(), size)) {
        for (const unsigned char byte : block) Require(byte == 0xA5, "a failed struct read wrote");
        return;
    }
    Require(block[size] == 0xA5, "a struct read wrote past its end");
    const std::string digits = EncodeStruct(block.data(), size);
    // The digits start the value, or the value after its opening quote.
    const std::string_view unquoted = Unquote(value);
    const std::string_view source = unquoted.size() < value.size() ? value.substr(1) : value;
    Require(source.size() >= digits.size(), "struct read from too few digits");
    for (std::size_t i = 0; i < digits.size(); ++i) {
        Require(digits[i] == Upper(source[i]), "struct text does not re-encode");
    }
}

void CheckRead(std::string_view text, std::string_view section, std::string_view key) {
    const auto value = FindValue(text, section, key);
    if (!value) return;
    Require(IsPieceOf(*value, text), "a value is not a piece of the text");
    Require(value->find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos,
            "a value spans lines or holds a NUL");
    Require(value->empty() || !IsSpace(value->front()), "a value keeps leading whitespace");
    if (!value->empty() && IsSpace(value->back())) {
        const std::size_t end =
            static_cast<std::size_t>(value->data() - text.data()) + value->size();
        Require(end < text.size() && text[end] == '\0', "a value keeps trailing whitespace");
    }

    const std::string_view number = Unquote(*value, kIntReadCapacity);
    Require(IsPieceOf(number, *value) && number.size() < kIntReadCapacity,
            "the integer read takes more than its buffer");
    const std::int32_t a = IntFromValue(value, 1);
    const std::int32_t b = IntFromValue(value, 2);
    Require(number.empty() ? a == 1 && b == 2 : a == b,
            "the integer read gives its default for a number or a number for no value");

    CheckStructRead(*value, 530);
    CheckStructRead(*value, value->size() > 2 ? (value->size() - 2) / 2 : 0);
}

void CheckWrite(std::string_view text, const std::string& section, const std::string& key,
                const std::string& value) {
    if (!IsStorableSection(section) || !IsStorableKey(key) || !IsStorableValue(value)) return;
    const std::string written = SetValue(text, section, key, value);

    Require(Find(written, section, key) == std::string(Trim(value)), "written value not read");
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == '\n') Require(i > 0 && written[i - 1] == '\r', "LF without CR");
    }
    Require(written.empty() || written.ends_with("\r\n"), "last line without CRLF");
    for (const auto& [otherSection, otherKey] : Probes(text)) {
        if (SameNameIgnoringCase(otherSection, section) && SameNameIgnoringCase(otherKey, key)) {
            continue;
        }
        Require(Find(written, otherSection, otherKey) == Find(text, otherSection, otherKey),
                "another key changed");
    }
    Require(SetValue(written, section, key, value) == written, "a repeated write changes text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    static const char* const kSections[] = {"A1_KEYSET", "b2_keyset", "S"};
    static const char* const kKeys[] = {"CONFIG", "ANTENNA-1", "switchmixer", "K"};
    std::string section = input.ConsumeBool() ? input.PickValueInArray(kSections)
                                              : input.ConsumeRandomLengthString(24);
    std::string key = input.ConsumeBool() ? input.PickValueInArray(kKeys)
                                          : input.ConsumeRandomLengthString(24);
    const std::string value = input.ConsumeRandomLengthString(64);
    const std::string text = input.ConsumeRemainingBytesAsString();

    if (const DecodedFile file = DecodeFile(text); file.lossless) {
        Require(EncodeFile(file.text, file.encoding) == text, "a file changes through decoding");
    }
    CheckRead(text, section, key);
    for (const auto& [probeSection, probeKey] : Probes(text)) {
        CheckRead(text, probeSection, probeKey);
    }
    CheckWrite(text, section, key, value);
    return 0;
}

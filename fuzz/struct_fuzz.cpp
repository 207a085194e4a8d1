// Fuzzes the struct encoding both ways:
// - any bytes encode to 2N+2 upper-case digits that decode to the same bytes, and the text
//   with its last digit changed no longer decodes;
// - any text either decodes to bytes that re-encode to the same digits (upper-cased), or
//   fails and leaves the target as it was.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile_file.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace torvik::profile;
using torvik::fuzz::Require;

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void CheckBytes(const std::uint8_t* data, std::size_t size) {
    std::string text = EncodeStruct(data, size);
    Require(text.size() == 2 * size + 2, "encoded length");
    std::vector<std::uint8_t> out(size + 1, 0xA5);
    Require(DecodeStruct(text, out.data(), size), "own encoding refused");
    Require(size == 0 || std::memcmp(out.data(), data, size) == 0, "bytes changed");
    Require(out[size] == 0xA5, "decode wrote past the end");
    Require(!DecodeStruct(text, out.data(), size + 1), "decoded with the wrong size");
    text.back() = text.back() == '0' ? '1' : '0';
    Require(!DecodeStruct(text, out.data(), size), "wrong checksum accepted");
}

void CheckText(std::string_view text) {
    const std::size_t size = text.size() >= 2 ? (text.size() - 2) / 2 : 0;
    std::vector<std::uint8_t> out(size + 1, 0x5A);
    if (DecodeStruct(text, out.data(), size)) {
        const std::string again = EncodeStruct(out.data(), size);
        Require(again.size() == text.size(), "re-encoded length");
        for (std::size_t i = 0; i < again.size(); ++i) {
            Require(again[i] == Upper(text[i]), "re-encoded digits differ");
        }
    } else {
        for (const std::uint8_t byte : out) Require(byte == 0x5A, "failed decode wrote");
    }
    Require(out[size] == 0x5A, "decode wrote past the end");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckBytes(data, size);
    CheckText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

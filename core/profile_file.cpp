#include "core/profile_file.h"

#include <cstring>
#include <limits>

#include "core/file_io.h"
#include "core/ini_text.h"
#include "core/profile_encoding.h"

namespace torvik::profile {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The byte spelled by the two hex digits at text[i], or -1.
int HexByte(std::string_view text, std::size_t i) {
    const int high = HexValue(text[i]);
    const int low = HexValue(text[i + 1]);
    return (high < 0 || low < 0) ? -1 : high * 16 + low;
}

// The value as stored, quotes included.
std::optional<std::string> ReadRawValue(const std::string& path, std::string_view section,
                                        std::string_view key) {
    const std::optional<std::string> bytes = fileio::ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    const DecodedFile file = DecodeFile(*bytes);
    const std::optional<std::string_view> value = FindValue(file.text, section, key);
    if (!value) return std::nullopt;
    return std::string(*value);
}

}  // namespace

std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                      std::string_view key) {
    std::optional<std::string> value = ReadRawValue(path, section, key);
    if (value) *value = std::string(Unquote(*value));
    return value;
}

std::int32_t ReadInt(const std::string& path, std::string_view section, std::string_view key,
                     std::int32_t defaultValue) {
    const std::optional<std::string> value = ReadRawValue(path, section, key);
    return IntFromValue(value ? std::optional<std::string_view>(*value) : std::nullopt,
                        defaultValue);
}

bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value) {
    const KeyValue entry{key, value};
    return WriteStrings(path, section, {&entry, 1});
}

bool WriteStrings(const std::string& path, std::string_view section,
                  std::span<const KeyValue> entries) {
    if (!IsStorableSection(section)) return false;
    for (const KeyValue& entry : entries) {
        if (!IsStorableKey(entry.key) || !IsStorableValue(entry.value)) return false;
    }
    const std::optional<std::string> bytes = fileio::ReadFileForUpdate(path);
    if (!bytes) return false;  // an unreadable file is never overwritten
    DecodedFile file = DecodeFile(*bytes);
    if (!file.lossless) return false;  // nor one that would lose bytes
    for (const KeyValue& entry : entries) {
        file.text = SetValue(file.text, section, entry.key, entry.value);
    }
    return fileio::ReplaceWholeFile(path, EncodeFile(file.text, file.encoding));
}

bool ReadStruct(const std::string& path, std::string_view section, std::string_view key,
                void* out, std::size_t size) {
    const std::optional<std::string> value = ReadRawValue(path, section, key);
    return value && StructFromValue(*value, out, size);
}

bool WriteStruct(const std::string& path, std::string_view section, std::string_view key,
                 const void* data, std::size_t size) {
    return WriteString(path, section, key, EncodeStruct(data, size));
}

std::string EncodeStruct(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    text.reserve(2 * size + 2);
    unsigned checksum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        checksum += bytes[i];
        text.push_back(kHexDigits[bytes[i] >> 4]);
        text.push_back(kHexDigits[bytes[i] & 0x0F]);
    }
    checksum &= 0xFF;
    text.push_back(kHexDigits[checksum >> 4]);
    text.push_back(kHexDigits[checksum & 0x0F]);
    return text;
}

bool StructFromValue(std::string_view value, void* out, std::size_t size) {
    if (size > (std::numeric_limits<std::size_t>::max() - 3) / 2) return false;
    // The platform reads the text into a buffer just large enough for the digits: anything
    // after them is cut off, and quotes are dropped only as that buffer allows.
    return DecodeStruct(Unquote(value, 2 * size + 3), out, size);
}

bool DecodeStruct(std::string_view text, void* out, std::size_t size) {
    if (size > (std::numeric_limits<std::size_t>::max() - 2) / 2) return false;
    if (text.size() != 2 * size + 2) return false;
    // Check everything before the first byte of out is touched.
    unsigned checksum = 0;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        if (HexByte(text, i) < 0) return false;
        if (i < 2 * size) checksum += static_cast<unsigned>(HexByte(text, i));
    }
    if (static_cast<unsigned>(HexByte(text, 2 * size)) != (checksum & 0xFF)) return false;
    auto* bytes = static_cast<unsigned char*>(out);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<unsigned char>(HexByte(text, 2 * i));
    }
    return true;
}

}  // namespace torvik::profile

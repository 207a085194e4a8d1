#pragma once
// Our own reader and writer of INI ("private profile") files, reading every file as the
// Windows profile functions read it (Wine's implementation is the reference), so one settings
// file serves every platform.
//
// - Section and key names match case-insensitively; writing keeps every other line as it was.
//   The rules of the text itself are in ini_text.h.
// - Lines end in CRLF when written (a rewrite turns LF-only and CR-only lines of the file into
//   CRLF too); LF or CR alone is read too. A file in UTF-16 stays in UTF-16
//   (profile_encoding.h); a UTF-16 file with an odd number of bytes is not written to.
// - A read never creates the file. A write goes to a temporary file beside the target that
//   then replaces it, so no half-written file is ever left behind; a failed write leaves the
//   old file intact and reports false.
// - Struct values are the bytes as uppercase hex, two digits each, then one checksum byte
//   (the sum of the bytes modulo 256) as two hex digits.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace torvik::profile {

// The value text of a key, trimmed and with one pair of surrounding quotes removed, or
// nothing when the file, section or key is missing.
std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                      std::string_view key);

// Integer read as the Windows profile-integer read does it (see IntFromValue and ParseInt):
// "12abc" gives 12, "abc" gives 0; a missing key, a key without '=' and an empty value give
// the default.
std::int32_t ReadInt(const std::string& path, std::string_view section, std::string_view key,
                     std::int32_t defaultValue);

// Stores the text (creating file, section and key as needed). Returns false when the file
// could not be read or replaced, or when the names or the value cannot be stored as one line
// (see IsStorableKey and friends in ini_text.h); the old file is then untouched.
bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value);

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

// Stores several keys of one section, in order, with one replacement of the file: all of them
// or, when any cannot be stored, none.
bool WriteStrings(const std::string& path, std::string_view section,
                  std::span<const KeyValue> entries);

// Fills exactly size bytes when the stored value starts with 2*size+2 hex digits (either
// case) ending in a matching checksum; anything after them is ignored, as the platform does.
// Otherwise returns false and leaves out untouched. Quotes count as characters, except that a
// value quoted as a whole loses them when the unquoted text is longer than 2*size+2.
// (The platform takes any character for a digit here and writes before it checks the sum;
// this read refuses a value with a non-digit and never writes a value it refuses.)
bool ReadStruct(const std::string& path, std::string_view section, std::string_view key,
                void* out, std::size_t size);

bool WriteStruct(const std::string& path, std::string_view section, std::string_view key,
                 const void* data, std::size_t size);

// The struct encoding on its own (used by the functions above and by the fuzz targets):
// DecodeStruct takes exactly 2*size+2 digits; StructFromValue is ReadStruct's reading of a
// stored value (see FindValue).
std::string EncodeStruct(const void* data, std::size_t size);
bool DecodeStruct(std::string_view text, void* out, std::size_t size);
bool StructFromValue(std::string_view value, void* out, std::size_t size);

}  // namespace torvik::profile

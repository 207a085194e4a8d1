#pragma once
// The text layer of the profile engine: finding and changing one key in the bytes of an INI
// file, without touching the disk. The file layer (profile_file.h) reads and replaces the file
// around these functions.
//
// The text is read as Wine's profile functions read it (checked against them by
// tests/wine/profile_diff); a byte is a character, as in the Western code page:
// - A line ends at CR or LF. Whitespace is space, tab, VT, FF and ^Z (0x1A); every line is
//   trimmed of it, and blank lines are skipped. A UTF-8 byte order mark at the start is skipped.
// - A line starting with '[' that holds a ']' after it is a section header; the name is the
//   text up to the last ']', trimmed. Lines before the first header form the section "".
// - Every other line is a key. Its name is the text before the first '=' (trimmed), its value
//   the text after it (trimmed). A line without '=' is a key without a value: reading it gives
//   the default. Lines starting with ';' are keys too (no name the program asks for starts so).
// - Names and values end at the first NUL byte.
// - Names compare without regard to ASCII case; requested names are trimmed first. Only the
//   first section of a name is looked at, and only the first key of a name within it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvik::profile {

// The value of key in section as stored, or nothing when the section or key is missing or the
// key has no '='.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key);

// The text with key in section set to value. The key the reads find keeps its name as spelled
// in the file and gets the new value (a key without '=' gets one); a new key goes after the
// last key line of its section that is not a comment (right after the header when there is
// none); a new section goes at the end. Every other line keeps its bytes and its place; all
// lines come out ending in CRLF.
std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value);

// Whether SetValue can store these names and this value so that FindValue finds them again:
// names are non-empty, carry no surrounding whitespace, no line break and no NUL; a key has
// no '=' and does not start with ';' or '['; a value has no line break and no NUL.
bool IsStorableSection(std::string_view section);
bool IsStorableKey(std::string_view key);
bool IsStorableValue(std::string_view value);

// A value as a string read returns it: one pair of matching surrounding quotes (' or ")
// removed.
std::string_view Unquote(std::string_view value);

// A value as a string read into a buffer of capacity characters (the NUL included) returns
// it: the opening quote is dropped as above, at most capacity - 1 characters are kept, and
// the last of them is dropped for the closing quote when the unquoted value is no longer than
// capacity, even when the closing quote itself did not fit.
std::string_view Unquote(std::string_view value, std::size_t capacity);

// The characters of the buffer the profile-integer read parses.
inline constexpr std::size_t kIntReadCapacity = 30;

// A number as the profile-integer read takes it from its text: characters up to the space
// skipped, an optional sign, a lower-case "0x", "0o" or "0b" prefix for base 16, 8 or 2 (else
// base 10), then digits up to the first character that is not one. No digits give 0; digits
// beyond 32 bits wrap around.
std::int32_t ParseInt(std::string_view text);

// The profile-integer read of a stored value (nothing when the key is missing): the default
// for a missing key, a key without value and an empty value, else ParseInt of what fits its
// buffer.
std::int32_t IntFromValue(std::optional<std::string_view> value, std::int32_t defaultValue);

}  // namespace torvik::profile

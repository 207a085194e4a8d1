#pragma once
// The text layer of the profile engine: finding and changing one key in the bytes of an INI
// file, without touching the disk. The file layer (profile_file.h) reads and replaces the file
// around these functions.
//
// How the text is read, as the Windows profile functions read it:
// - Lines end in LF; a CR before the LF belongs to the line ending. A UTF-8 byte order mark
//   at the very start is skipped.
// - "[name]" (leading whitespace allowed, name up to the last ']' of the line, trimmed) opens
//   a section. Lines before the first section belong to none and are never matched.
// - "key=value" inside a section is a key line: the key is the text before the first '=', the
//   value the text after it, both trimmed of surrounding whitespace. Lines starting with ';'
//   are comments; lines without '=' are kept but are not keys.
// - Section and key names compare case-insensitively (ASCII). When a section or a key appears
//   more than once, the first wins; only the first section of a name is ever looked at.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvik::profile {

// The trimmed value of key in section, or nothing when the section or key is missing.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key);

// The text with key in section set to value. An existing key line keeps its name as spelled
// in the file and gets the new value; a new key goes after the last key line of its section
// (right after the header when it has none); a new section goes at the end. Every other line
// keeps its bytes and its place; all lines come out ending in CRLF.
std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value);

// Whether SetValue can store these names and this value so that FindValue finds them again:
// names are non-empty, carry no surrounding whitespace, no line break and no NUL; a key has
// no '=' and does not start with ';' or '['; a value has no line break and no NUL.
bool IsStorableSection(std::string_view section);
bool IsStorableKey(std::string_view key);
bool IsStorableValue(std::string_view value);

// A value as a string read returns it: one pair of matching surrounding quotes (' or ")
// removed, as the Windows string read does.
std::string_view Unquote(std::string_view value);

// An integer as the Windows profile-integer read takes it: leading whitespace, an optional
// sign, then "0x" and hex digits or else decimal digits, up to the first other character
// ("12abc" gives 12). Digits beyond 32 bits wrap around. Nothing when there is no digit.
std::optional<std::int32_t> ParseInt(std::string_view value);

}  // namespace torvik::profile

#pragma once
// The parts of the desktop-entry file format that an autostart entry needs: an Exec value
// written and read back with the format's two layers of escaping, and the keys of the
// [Desktop Entry] group.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvik::desktop {

// The Exec value that runs the program with these arguments: an argument holding a reserved
// character is quoted (with ", `, $ and \ escaped inside), % is doubled so that it is no field
// code, and the whole value then takes the string escapes (\\, \n, \t, \r). Nothing when an
// argument cannot be written so: the program path not absolute or holding '=', an empty
// argument list, text that is not UTF-8, or a control character other than tab, newline and
// carriage return.
std::optional<std::string> ExecValue(const std::vector<std::string>& arguments);

// The arguments of an Exec value as written in the file, every escape undone and "%%" read as
// "%"; nothing for a value with an unclosed quote or stray characters after one.
std::optional<std::vector<std::string>> ExecArguments(std::string_view value);

// The keys of the [Desktop Entry] group with their values as written (localised keys such as
// Name[de] are kept under their full name); nothing when the text has no such group. Comments,
// blank lines, other groups and lines that are no key are skipped; CRLF line ends are taken as
// LF. Of a key given twice, the first counts.
std::optional<std::map<std::string, std::string, std::less<>>> DesktopEntryGroup(std::string_view text);

}  // namespace torvik::desktop

#pragma once
// The names a user gives a box's three antennas ("Mini-Whip", "Beverage NE"): their rules, and
// their place in Torvik.ini, the section "<serial>_NAMES" beside "<serial>_KEYSET" (which they
// never touch), keys NAME-1 to NAME-3. An antenna without a name is shown as "Antenna N".
// Names are UTF-8 text in the program.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/settings.h"

namespace torvik {

inline constexpr std::size_t kMaxNameCharacters = 24;
inline constexpr int kNamedAntennas = 3;

using AntennaNames = std::array<std::string, kNamedAntennas>;   // empty: no name

// "<serial><suffix>" from the box's keyset section name "<serial>_KEYSET".
std::string BoxSectionOf(std::string_view keysetSection, std::string_view suffix);
// "<serial>_NAMES".
std::string NamesSectionOf(std::string_view keysetSection);

// The name, or "Antenna N" (antenna 0 to 2) when it has none.
std::string ShownName(const AntennaNames& names, int antenna);

// Why the text cannot be stored exactly as a name, or empty when it can. unicodeFile: the
// settings file is in UTF-16 and holds any character; any other file holds plain ASCII only,
// since the Windows program reads it in the user's code page.
std::string NameProblem(std::string_view text, bool unicodeFile);

// The stored names; a stored value that breaks the rules (edited by hand) is not shown.
AntennaNames LoadNames(SettingsStore& settings, const std::string& keysetSection);

// Whether any antenna has a name.
bool AnyNamed(const AntennaNames& names);

inline constexpr const char* kNamesNotWritten = "Torvik.ini could not be written";

// Stores one name (empty text: the name is removed). Returns the refusal, or empty when stored;
// nothing is stored on a refusal.
std::string StoreName(SettingsStore& settings, const std::string& keysetSection, int antenna,
                      std::string_view text);

// "Mini-Whip, Antenna 3" for the antennas of the mask (bits 0 to 2), "none" for none.
std::string MaskAsNames(const AntennaNames& names, unsigned mask);

// The tray tip with the antennas that are on, by name, on a line of its own when the box has
// any name (a box without names keeps the tip as it was); cut to 63 bytes at a character's
// start, the shell's tip field.
std::string TipWithAntennas(const std::string& tip, const AntennaNames& names, unsigned mask);

}  // namespace torvik

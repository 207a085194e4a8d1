#pragma once
// Control ids of the setup dialog (template 103) that the page logic talks about. The same
// numbers stand in res/resource.h for the resource script; these are the typed names the code
// uses. Index = antenna - 1 (rows) or page (0 = Global, 1 to 4).

#include <array>

namespace torvik::setup_ids {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

inline constexpr std::array<int, 5> kPageButton = {2250, 2251, 2252, 2253, 2254};

inline constexpr std::array<int, 3> kKeyButton = {2241, 2242, 2243};
inline constexpr std::array<int, 3> kAltButton = {2201, 2202, 2203};
inline constexpr std::array<int, 3> kCtrlButton = {2211, 2212, 2213};
inline constexpr std::array<int, 3> kShiftButton = {2221, 2222, 2223};
inline constexpr std::array<int, 3> kWinButton = {2231, 2232, 2233};

inline constexpr std::array<int, 3> kAntennaGroup = {2301, 2302, 2303};
inline constexpr std::array<int, 3> kKeyLabel = {2321, 2322, 2323};    // "Key = "
inline constexpr std::array<int, 3> kPlusLabel = {2341, 2342, 2343};   // "+"

inline constexpr int kCaptionGroup = 2270;   // its caption names the page
inline constexpr int kProgramGroup = 2271;
inline constexpr int kProgramStatic = 2261;  // shares its rectangle with the edit
inline constexpr int kProgramEdit = 2260;
inline constexpr int kNote = 2262;           // a line of text under the buttons: warnings
inline constexpr int kDeactivate = 2236;
inline constexpr int kAutostart = 2235;

}  // namespace torvik::setup_ids

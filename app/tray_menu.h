#pragma once
// The tray icon's rules, for every platform: what a mouse event on the icon does, and the
// items of its menu (texts, command ids, check marks), built anew for every showing.

#include <cstdint>
#include <string>
#include <vector>

namespace torvik {

// The mouse events on the icon that the rules tell apart.
enum class TrayMouse {
    kLeftDown,
    kRightDown,
    kLeftDoubleClick,
    kOther,   // moves, releases, other buttons and double clicks
};

enum class TrayAction { kNothing, kShowWindow, kShowMenu };

// A double click with the left button shows the window (brought to the front); a left or right
// press shows the menu; anything else does nothing more.
TrayAction TrayActionFor(TrayMouse event);

struct TrayMenuItem {
    std::string text;
    int command = 0;      // reaches the main window as this command id
    bool checked = false;
    friend bool operator==(const TrayMenuItem&, const TrayMenuItem&) = default;
};

// "Antenna 1" to "Antenna <count>" (at most three; checked when on) while a box is present,
// then "open Dialog" and "Exit".
std::vector<TrayMenuItem> TrayMenuItems(bool devicePresent, std::uint32_t antennaCount,
                                        const std::int32_t antennaOn[4]);

}  // namespace torvik

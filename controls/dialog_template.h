#pragma once
// A dialog's layout read from the resource script itself, so that every platform places the
// controls where the Windows resource compiler does: the DIALOGEX block's size, caption, font
// and CONTROL statements, their ids resolved through the #defines of the resource header.
// Only what the program's scripts use is understood: CONTROL statements (other statement kinds
// are skipped), numbers, quoted texts, names and '|'-joined style words; and MENU blocks of one
// popup with MENUITEM lines.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/geometry.h"

namespace torvik {

struct DialogControl {
    std::string text;
    int id = 0;
    std::string className;            // "Button", "Static", ...
    std::vector<std::string> styles;  // the style words as written, e.g. BS_PUSHLIKE
    Rect units;                       // in dialog units
    bool HasStyle(std::string_view word) const;
};

struct DialogTemplate {
    Rect units;                       // x, y, width, height in dialog units
    std::string caption;
    int fontPoints = 0;
    std::string fontFace;
    std::vector<DialogControl> controls;
    const DialogControl* Find(int id) const;
};

// The block named `name` in the script, or nothing when it is missing or malformed. A name
// that neither the header defines nor the resource compiler knows (IDOK, IDCANCEL) makes the
// control's id -1, as for a static text.
std::optional<DialogTemplate> ParseDialogTemplate(std::string_view script, std::string_view header,
                                                  std::string_view name);

// A MENU resource of one popup: its text and its items in order, separators left out.
struct MenuResource {
    struct Item {
        std::string text;
        int id = 0;
    };
    std::string popup;
    std::vector<Item> items;
};

// The MENU block named `name` in the script, ids resolved as for a dialog's controls; nothing
// when it is missing or malformed.
std::optional<MenuResource> ParseMenuResource(std::string_view script, std::string_view header,
                                              std::string_view name);

// The number the resource header #defines for `name`.
std::optional<int> DefinedResourceId(std::string_view header, std::string_view name);

// A dialog font's base units: the average width of its letters and its cell height in pixels.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// The base units from the width of the 52 letters A-Z a-z set side by side and the font's
// height, rounded as Windows does.
DialogBaseUnits BaseUnitsOf(int widthOf52Letters, int fontHeight);

// Dialog units to pixels as a dialog's creation does: position and size each scaled on their
// own, x and width by base x / 4, y and height by base y / 8, rounded to the nearest pixel.
Rect DialogUnitsToPixels(const Rect& units, DialogBaseUnits base);

}  // namespace torvik

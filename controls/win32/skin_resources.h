#pragma once
// The Windows side of the shared palette and fonts: system colours through GetSysColor and the
// three fonts as GDI fonts that live until the program ends.

#include <windows.h>

#include "controls/palette.h"

namespace torvik::win32 {

// Reads the palette from the system colours (every call) and makes the fonts (first call).
void InitSkinResources();

// The GDI font description of a shared font: the character height, normal or bold weight,
// the Swiss family as the fallback for a missing face, every other field 0.
LOGFONTA LogicalFont(const FontSpec& description);

// normalFont, boldFont or largeFont; nullptr until InitSkinResources made them.
HFONT SharedFont(FontChoice which);
// fontChoice of a button (0 normal, 1 bold, 2 large; other values normal).
HFONT SharedFontForChoice(int fontChoice);

}  // namespace torvik::win32

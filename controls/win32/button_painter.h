#pragma once
// Paints a skinned button's whole face into a memory bitmap and copies it to dc in one block.

#include <windows.h>

namespace torvik {
struct ButtonState;
enum class TextLayout;
}

namespace torvik::win32 {

class MyButton;

// The members, window style, enabled state and caption that the button's face depends on.
ButtonState FaceStateOf(const MyButton& button);

void PaintButton(HDC dc, RECT face, const MyButton& button);

// The DrawText flags of a caption layout.
UINT DrawTextFormat(TextLayout layout);

}  // namespace torvik::win32

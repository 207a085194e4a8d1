#pragma once
// Paints a skinned button's whole face into a memory bitmap and copies it to dc in one block.

#include <windows.h>

namespace torvik::win32 {

class MyButton;

void PaintButton(HDC dc, RECT face, const MyButton& button);

}  // namespace torvik::win32

#pragma once
// How many GDI objects this process holds, for leak checks around repeated painting.

namespace torvik::win32::testing {

// The count, or -1 when it cannot be had. Windows answers GetGuiResources; Wine answers 0
// there, so under Wine the live entries of its GDI handle table are counted instead.
int GdiObjectCount();

// Where the count comes from: "GetGuiResources", "Wine handle table" or "none".
const char* GdiCountSource();

}  // namespace torvik::win32::testing

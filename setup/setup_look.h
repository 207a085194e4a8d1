#pragma once
// Spacing of the setup dialog's button rows, decided once for every platform.

namespace torvik {

inline constexpr int kPageRowGap = 2;       // Global, 1. to 4.
inline constexpr int kModifierRowGap = 1;   // ALT, CTRL, SHIFT, WIN of one antenna

}  // namespace torvik

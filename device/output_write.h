#pragma once
// The output byte and its one write to the box.

#include <cstdint>
#include <functional>

#include "device/d2xx.h"

namespace torvik {

// Bit 0 antenna 3, bit 1 antenna 1, bit 2 antenna 2, bit 3 the running bit (bit 3 of
// runFlag), bit 4 the fourth output. A flag counts as on when nonzero; bits 5 to 7 stay 0.
// The value of runFlag while the program controls the box: the running bit of the output byte.
inline constexpr std::int32_t kRunning = 0x08;

std::uint8_t ComposeOutputByte(const std::int32_t antennaOn[4], std::int32_t runFlag);

enum class OutputWrite {
    NotOpened,   // the box could not be opened: nothing was written
    Written,     // opened, mode set, byte written (the write's own status is not examined)
    ModeRefused, // the bit-bang mode was refused; the write was attempted all the same
};

// Opens the box by location, sets all eight lines to asynchronous bit-bang, writes the one
// byte and closes the box again; no handle outlives the call. onModeRefused runs, and is
// waited for, between a refused mode and the write.
OutputWrite WriteOutputByte(D2xxDriver& driver, std::uint32_t locationId, std::uint8_t byte,
                            const std::function<void()>& onModeRefused);

}  // namespace torvik

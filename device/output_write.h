#pragma once
// The output byte and its one write to the box.

#include <cstdint>

#include <string>

#include "device/box_link.h"

namespace torvik {

// Bit 0 antenna 3, bit 1 antenna 1, bit 2 antenna 2, bit 3 the running bit (bit 3 of
// runFlag), bit 4 the fourth output. A flag counts as on when nonzero; bits 5 to 7 stay 0.
// The value of runFlag while the program controls the box: the running bit of the output byte.
inline constexpr std::int32_t kRunning = 0x08;

std::uint8_t ComposeOutputByte(const std::int32_t antennaOn[4], std::int32_t runFlag);

enum class OutputWrite {
    Written,      // opened, mode set, the byte taken
    NotOpened,    // the box could not be opened: nothing was written
    ModeRefused,  // the bit-bang mode was refused; the write was attempted all the same
    WriteFailed,  // the write failed, or timed out having taken nothing
};

// How long one write may block on a stalled box before the driver gives up.
inline constexpr std::uint32_t kWriteTimeoutMs = 500;
inline constexpr std::uint32_t kReadTimeoutMs = 500;

// Opens the box by its identity, bounds its timeouts, enters bit-bang, writes the one byte
// and closes the box again; no handle outlives the call, so
// whatever the caller does about the outcome happens with the device closed.
OutputWrite WriteOutputByte(BoxLink& link, const std::string& identity, std::uint8_t byte);

}  // namespace torvik

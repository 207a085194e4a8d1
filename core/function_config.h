#pragma once
// One switching configuration as stored in the settings file, and the block of five.

#include <array>
#include <cstddef>
#include <cstdint>

namespace torvik {

inline constexpr int kAntennaSlots = 8;       // each per-antenna field has eight one-byte slots
inline constexpr int kUsedAntennas = 3;       // slots 0 to 2 belong to antennas 1 to 3
inline constexpr int kConfigCount = 5;        // Global, then configurations 1 to 4
inline constexpr int kProgramNameSize = 64;   // NUL-terminated, at most 63 characters

// Byte-exact record: every field is made of bytes, so there is no padding on any compiler.
struct FunctionConfig {
    std::uint8_t deactivated;                  // nonzero: skipped by the hotkey builder
    std::uint8_t reserved;                     // never read
    std::uint8_t keyCode[kAntennaSlots];       // virtual-key code per antenna slot
    std::uint8_t altFlag[kAntennaSlots];
    std::uint8_t ctrlFlag[kAntennaSlots];
    std::uint8_t shiftFlag[kAntennaSlots];
    std::uint8_t winFlag[kAntennaSlots];
    char programName[kProgramNameSize];        // substring of the focused program's executable name
};
static_assert(sizeof(FunctionConfig) == 106, "FunctionConfig is stored byte for byte");
static_assert(offsetof(FunctionConfig, keyCode) == 2);
static_assert(offsetof(FunctionConfig, altFlag) == 10);
static_assert(offsetof(FunctionConfig, ctrlFlag) == 18);
static_assert(offsetof(FunctionConfig, shiftFlag) == 26);
static_assert(offsetof(FunctionConfig, winFlag) == 34);
static_assert(offsetof(FunctionConfig, programName) == 42);

// Record 0 is the Global configuration, records 1 to 4 the numbered ones.
using ConfigBlock = std::array<FunctionConfig, kConfigCount>;
static_assert(sizeof(ConfigBlock) == 530, "the CONFIG key holds exactly 530 bytes");

// The records the main window starts with when nothing is stored.
ConfigBlock MainDefaults();

// The setup dialog's fallback when its read of CONFIG fails: as MainDefaults, but Global is
// deactivated too.
ConfigBlock SetupDefaults();

}  // namespace torvik

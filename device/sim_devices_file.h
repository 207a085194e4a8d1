#pragma once
// The devices file of the simulated box (the stand-in driver library and the Linux program with
// TORVIK_SIM_DEVICES): which boxes are "attached". One device per
// line, SERIAL<TAB>LOCID<TAB>DESCRIPTION[<TAB>FLAGS]; empty lines and lines starting with '#'
// are skipped, and so is every line that does not parse (it is then as if it were not there).
// LOCID is decimal or 0x-hex and must fit 32 bits; FLAGS is a comma-separated subset of
//   open-fails     FT_OpenEx refuses the device (FT_DEVICE_NOT_OPENED)
//   bitmode-fails  FT_SetBitMode fails (FT_IO_ERROR)
//   write-fails    FT_Write fails (FT_IO_ERROR) and takes nothing
//   short-write    FT_Write succeeds but takes none of the bytes, as when its timeout ends it
//   held           another program holds the device: it is listed with the opened flag and
//                  without serial number, description or location, and cannot be opened
// A line without FLAGS is a device that works. Opens are exclusive whatever the flags.

#include <string>
#include <string_view>
#include <vector>

#include "device/simulated_box.h"

namespace torvik::sim {

// Files larger than this are read only up to here; lines longer than kMaxLineLength are skipped.
inline constexpr std::size_t kMaxFileSize = 1 << 20;
inline constexpr std::size_t kMaxLineLength = 1024;

std::vector<SimDevice> ParseDevices(std::string_view text);

// The file's content (at most kMaxFileSize bytes); empty when the path is empty or the file
// cannot be read.
std::string ReadDevicesText(const std::string& path);

// Two lists name the same device when serial and location id agree.
bool SameDevice(const SimDevice& a, const SimDevice& b);

}  // namespace torvik::sim

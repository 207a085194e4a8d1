#pragma once
// The call log of the simulated box (the stand-in driver library, the Linux program): one line
// per driver call, appended to the file named by TORVIK_SIM_LOG and flushed at once, so a test
// can follow it while the program runs.
//   LIST <count>                  FT_CreateDeviceInfoList (FT_GetDeviceInfoList logs nothing)
//   OPEN 0x<locid:8> <status>     FT_OpenEx
//   TIMEOUTS <read ms> <write ms> <status>
//   BITMODE 0x<mask:2> 0x<mode:2> <status>
//   WRITE 0x<byte:2> <status>     one line per byte; "WRITE none <status>" for no bytes; a byte
//                                 that the driver did not take has " short" after the status
//   CLOSE <status>
// Status is decimal, 0 for success, the number the vendor's driver gives the same outcome (so
// the logs of both platforms read alike). Lines end with a single '\n'.

#include <cstdint>
#include <string>

#include "device/box_link.h"

namespace torvik::sim {

std::string ListLine(std::uint32_t count);
std::string OpenLine(std::uint32_t locationId, LinkResult result);
std::string BitModeLine(std::uint8_t mask, std::uint8_t mode, LinkResult result);
std::string TimeoutsLine(std::uint32_t readMs, std::uint32_t writeMs, LinkResult result);
// A null byte: none was given. taken: the driver took the byte.
std::string WriteLine(const std::uint8_t* byte, LinkResult result, bool taken = true);
std::string CloseLine(LinkResult result);

// Appends one line to the file at path (nothing when the path is empty or cannot be opened).
// The file is opened and closed for every line, so it may be moved or truncated meanwhile.
void AppendLine(const std::string& path, const std::string& line);

}  // namespace torvik::sim

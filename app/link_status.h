#pragma once
// What the main window's status line and the tray tip say about the link to the box.

#include <string>
#include <string_view>

#include "device/output_write.h"

namespace torvik {

enum class LinkStatus {
    Ready,        // the box is there and took the last write
    NoDevice,     // no box listed
    NoDriver,     // no usable driver library
    InUse,        // no box listed, but a device is held by another program
    NoAccess,     // no box listed, but a device this user may not open
    OpenFailed,   // the box is listed but could not be opened
    ModeRefused,  // the box refused the bit-bang mode
    WriteFailed,  // the box did not take the byte
};

// The status after one write of the output byte.
LinkStatus StatusAfterWrite(OutputWrite outcome);

// The status line's text; every text fits the status control in the main window's font.
// driverName: the driver as the platform's user knows it (BoxLink::DriverName).
std::string StatusText(LinkStatus status, std::string_view driverName);

// The tray icon's tip: the program's name, and what is wrong when something is (at most 63
// characters, the tip field of the shell's record).
std::string TrayTip(LinkStatus status);

inline constexpr const char* kTrayTipName = "Karrow Antenna Control";

}  // namespace torvik

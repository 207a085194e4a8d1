#pragma once
// The link to the box over libftdi1 (FtdiBox). The core opens, writes and closes the box for
// every byte; libftdi resets the chip at each open, which would drop the outputs, so a close
// here only ends the core's handle and the device itself stays open while it is listed. A
// device we may not open is listed as held by another program. The identity is the device's
// place on the bus ("1-2.3").
#include <string>
#include <vector>

#include "device/box_link.h"
#include "device/linux/ftdi_box.h"

namespace torvik {

class FtdiLink final : public BoxLink {
public:
    LinkResult List(std::vector<ListedDevice>& devices) override;
    LinkResult Open(const std::string& identity, LinkHandle& handle) override;
    LinkResult SetTimeouts(LinkHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
    LinkResult EnterBitBang(LinkHandle handle) override;
    LinkResult WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) override;
    LinkResult Close(LinkHandle handle) override;
    bool Available() const override { return box_.Usable(); }
    const char* DriverName() const override { return "libftdi"; }

private:
    // The one handle this link gives out.
    static constexpr LinkHandle kToken = 1;
    bool IsOurHandle(LinkHandle handle) const { return handleOpen_ && handle == kToken; }

    FtdiBox box_;
    std::vector<std::string> listed_;   // identities of the latest list
    bool handleOpen_ = false;
    bool bitBang_ = false;   // the open device is in bit-bang mode already
};

}  // namespace torvik

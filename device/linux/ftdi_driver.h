#pragma once
// The driver seam over libftdi1 (FtdiBox). The core opens, writes and closes the box for every
// byte; libftdi resets the chip at each open, which would drop the outputs, so a close here
// only ends the core's handle and the device itself stays open while it is listed. A device
// we may not open is listed as held (opened, without serial number), as the vendor's driver
// lists a device open in another program.
#include <string>
#include <vector>

#include "device/d2xx.h"
#include "device/linux/ftdi_box.h"

namespace torvik {

class FtdiDriver final : public D2xxDriver {
public:
    FtStatus CreateDeviceInfoList(std::uint32_t* count) override;
    FtStatus GetDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) override;
    FtStatus OpenEx(std::uint32_t locationId, std::uint32_t flags, FtHandle* handle) override;
    FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
    FtStatus SetBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) override;
    FtStatus Write(FtHandle handle, const void* buffer, std::uint32_t length,
                   std::uint32_t* written) override;
    FtStatus Close(FtHandle handle) override;
    bool Available() const override { return box_.Usable(); }

private:
    struct Listed {
        DeviceNode node{};
        std::string identity;
    };
    bool IsOurHandle(FtHandle handle) const { return handleOpen_ && handle == Token(); }
    FtHandle Token() const { return const_cast<FtdiBox*>(&box_); }

    FtdiBox box_;
    std::vector<Listed> listed_;
    bool handleOpen_ = false;
    bool bitBang_ = false;   // the open device is in bit-bang mode already
};

}  // namespace torvik

#pragma once
// The box through libftdi1. Opening an FTDI device with libftdi resets the chip, which drops
// the outputs, so the device is opened once when the box is found and kept open while it is
// present: every byte is one write on the open device, in asynchronous bit-bang mode.
// A thin adapter over the library; which device is the box is decided in usb_box_match.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/linux/usb_box_match.h"

struct ftdi_context;

namespace torvik {

class FtdiBox {
public:
    FtdiBox();
    ~FtdiBox();
    FtdiBox(const FtdiBox&) = delete;
    FtdiBox& operator=(const FtdiBox&) = delete;

    // False when libftdi or libusb could not be set up: nothing can be listed or opened.
    bool Usable() const { return context_ != nullptr; }

    // The devices with the box's USB ids, with their serial numbers where we may read them
    // (a device we may not open is listed with accessDenied set).
    std::vector<UsbDeviceInfo> ListDevices();

    // Opens the device at this place (StableIdentity), closing any other first; false when it is
    // not there or cannot be claimed (held by another program, or no permission).
    bool Open(const std::string& identity);
    // All eight data lines as outputs, asynchronous bit-bang.
    bool SetBitBang();
    // One byte onto the lines; false when it was not written whole. A device gone from the bus
    // is closed, so a later write fails at once instead of waiting for the timeout.
    bool WriteByte(std::uint8_t byte);
    void Close();

    bool IsOpen() const { return !openIdentity_.empty(); }
    const std::string& OpenIdentity() const { return openIdentity_; }

private:
    struct FreeContext {
        void operator()(ftdi_context* context) const;
    };
    std::unique_ptr<ftdi_context, FreeContext> context_;
    std::string openIdentity_;
};

}  // namespace torvik

#include "device/linux/ftdi_box.h"

#include <ftdi.h>
#include <libusb.h>

#include <array>

#include "device/box_discovery.h"

namespace torvik {
namespace {

// libftdi waits 5 s for a write by default; a box pulled mid-write should not hold the
// program that long.
constexpr int kWriteTimeoutMs = 1000;
// libusb reports at most seven ports (the depth of the USB tree).
constexpr int kMaxPorts = 7;
constexpr unsigned char kAllLinesOutput = 0xFF;

struct FreeDeviceList {
    void operator()(libusb_device** list) const { libusb_free_device_list(list, 1); }
};
using DeviceList = std::unique_ptr<libusb_device*, FreeDeviceList>;

struct CloseHandle {
    void operator()(libusb_device_handle* handle) const { libusb_close(handle); }
};

DeviceList ListAll(libusb_context* usb, ssize_t& count) {
    libusb_device** list = nullptr;
    count = libusb_get_device_list(usb, &list);
    if (count < 0) {
        count = 0;
        return DeviceList(nullptr);
    }
    return DeviceList(list);
}

std::vector<std::uint8_t> PortsOf(libusb_device* device) {
    std::array<std::uint8_t, kMaxPorts> ports{};
    const int count = libusb_get_port_numbers(device, ports.data(), kMaxPorts);
    if (count <= 0) return {};
    return {ports.begin(), ports.begin() + count};
}

// Whether another program holds the interface: a claim given back at once (it leaves the outputs
// as they are; only libftdi's open resets the chip). A kernel driver bound to it is no other
// program: libftdi's open detaches it.
bool InterfaceHeldElsewhere(libusb_device_handle* handle) {
    if (libusb_kernel_driver_active(handle, 0) == 1) return false;
    const int claimed = libusb_claim_interface(handle, 0);
    if (claimed == 0) libusb_release_interface(handle, 0);
    return claimed == LIBUSB_ERROR_BUSY;
}

// The serial-number string, read through a short-lived handle of our own; for a box not open
// here, also whether another program holds it.
void ReadSerial(libusb_device* device, std::uint8_t serialIndex, bool probeHolder, UsbDeviceInfo& info) {
    libusb_device_handle* raw = nullptr;
    const int opened = libusb_open(device, &raw);
    if (opened != 0) {
        info.accessDenied = opened == LIBUSB_ERROR_ACCESS;
        return;
    }
    const std::unique_ptr<libusb_device_handle, CloseHandle> handle(raw);
    std::array<unsigned char, 256> text{};
    const int length = serialIndex == 0 ? 0
        : libusb_get_string_descriptor_ascii(handle.get(), serialIndex, text.data(), static_cast<int>(text.size()));
    info.serialNumber = length > 0 ? std::string(reinterpret_cast<const char*>(text.data()),
                                                 static_cast<std::size_t>(length))
                                   : std::string();
    const std::string field = info.serialNumber->substr(0, kSerialNumberChars);
    info.heldElsewhere = probeHolder && IsBoxSerial(field.data(), field.size()) &&
                         InterfaceHeldElsewhere(handle.get());
}

}  // namespace

void FtdiBox::FreeContext::operator()(ftdi_context* context) const {
    ftdi_free(context);  // closes a device still open
}

FtdiBox::FtdiBox() : context_(ftdi_new()) {
    if (context_) context_->usb_write_timeout = kWriteTimeoutMs;
}

FtdiBox::~FtdiBox() { Close(); }

std::vector<UsbDeviceInfo> FtdiBox::ListDevices() {
    std::vector<UsbDeviceInfo> devices;
    if (!context_) return devices;
    ssize_t count = 0;
    const DeviceList list = ListAll(context_->usb_ctx, count);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device* device = list.get()[i];
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(device, &descriptor) != 0 ||
            !HasBoxUsbIds(descriptor.idVendor, descriptor.idProduct)) {
            continue;
        }
        UsbDeviceInfo info;
        info.vendorId = descriptor.idVendor;
        info.productId = descriptor.idProduct;
        info.busNumber = libusb_get_bus_number(device);
        info.portNumbers = PortsOf(device);
        const bool openHere = IsOpen() && StableIdentity(info.busNumber, info.portNumbers) == openIdentity_;
        ReadSerial(device, descriptor.iSerialNumber, !openHere, info);
        devices.push_back(std::move(info));
    }
    return devices;
}

bool FtdiBox::Open(const std::string& identity) {
    Close();
    if (!context_) return false;
    ssize_t count = 0;
    const DeviceList list = ListAll(context_->usb_ctx, count);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device* device = list.get()[i];
        const auto ports = PortsOf(device);
        if (StableIdentity(libusb_get_bus_number(device), ports) != identity) continue;
        if (ftdi_usb_open_dev(context_.get(), device) != 0) return false;
        openIdentity_ = identity;
        return true;
    }
    return false;
}

bool FtdiBox::SetBitBang() {
    return IsOpen() && ftdi_set_bitmode(context_.get(), kAllLinesOutput, BITMODE_BITBANG) == 0;
}

bool FtdiBox::WriteByte(std::uint8_t byte) {
    if (!IsOpen()) return false;
    const int written = ftdi_write_data(context_.get(), &byte, 1);
    if (written != 1) {
        // libftdi does not say why a write failed; the device itself says whether it is gone.
        int configuration = 0;
        if (libusb_get_configuration(context_->usb_dev, &configuration) == LIBUSB_ERROR_NO_DEVICE) Close();
    }
    return written == 1;
}

void FtdiBox::Close() {
    if (!IsOpen()) return;
    ftdi_usb_close(context_.get());
    openIdentity_.clear();
}

}  // namespace torvik

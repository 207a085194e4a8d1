#include "device/linux/ftdi_driver.h"

#include <algorithm>
#include <cstring>

namespace torvik {

FtStatus FtdiDriver::CreateDeviceInfoList(std::uint32_t* count) {
    if (count == nullptr) {
        return kFtInvalidParameter;
    }
    listed_.clear();
    if (!box_.Usable()) {
        *count = 0;
        return kFtOtherError;
    }
    std::vector<UsbDeviceInfo> devices = box_.ListDevices();
    // In order of place on the bus, so that the first box the core accepts is the one at the
    // lowest place, as ChooseBox decides.
    std::sort(devices.begin(), devices.end(), [](const UsbDeviceInfo& a, const UsbDeviceInfo& b) {
        return std::tie(a.busNumber, a.portNumbers) < std::tie(b.busNumber, b.portNumbers);
    });
    bool openStillThere = false;
    for (const UsbDeviceInfo& device : devices) {
        const auto identity = StableIdentity(device.busNumber, device.portNumbers);
        if (!identity) {
            continue;
        }
        Listed entry;
        entry.identity = *identity;
        if (device.accessDenied || !device.serialNumber) {
            entry.node.Flags = kFtFlagOpened;
        } else {
            entry.node.LocId = LocationIdOf(device.busNumber, device.portNumbers).value_or(0);
            const std::string& serial = *device.serialNumber;
            std::memcpy(entry.node.SerialNumber, serial.data(),
                        std::min(serial.size(), kSerialNumberChars));
        }
        entry.node.ID = (std::uint32_t{device.vendorId} << 16) | device.productId;
        openStillThere = openStillThere || entry.identity == box_.OpenIdentity();
        listed_.push_back(entry);
    }
    if (box_.IsOpen() && !openStillThere) {
        box_.Close();
        bitBang_ = false;
        handleOpen_ = false;
    }
    *count = static_cast<std::uint32_t>(listed_.size());
    return kFtOk;
}

FtStatus FtdiDriver::GetDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) {
    if (count == nullptr || (nodes == nullptr && *count != 0)) {
        return kFtInvalidParameter;
    }
    const std::size_t room = std::min<std::size_t>(*count, listed_.size());
    for (std::size_t i = 0; i < room; ++i) {
        nodes[i] = listed_[i].node;
    }
    *count = static_cast<std::uint32_t>(listed_.size());
    return kFtOk;
}

FtStatus FtdiDriver::OpenEx(std::uint32_t locationId, std::uint32_t flags, FtHandle* handle) {
    if (handle == nullptr || flags != kFtOpenByLocation) {
        return kFtInvalidParameter;
    }
    *handle = nullptr;
    const auto found = std::find_if(listed_.begin(), listed_.end(), [&](const Listed& entry) {
        return locationId != 0 && entry.node.LocId == locationId;
    });
    if (found == listed_.end()) {
        return kFtDeviceNotFound;
    }
    if (handleOpen_) {
        return kFtDeviceNotOpened;   // opens are exclusive
    }
    if (box_.OpenIdentity() != found->identity) {
        bitBang_ = false;
        if (!box_.Open(found->identity)) {
            return kFtDeviceNotOpened;
        }
    }
    handleOpen_ = true;
    *handle = Token();
    return kFtOk;
}

FtStatus FtdiDriver::SetTimeouts(FtHandle handle, std::uint32_t, std::uint32_t) {
    // FtdiBox writes with its own one-second timeout.
    return IsOurHandle(handle) ? kFtOk : kFtInvalidHandle;
}

FtStatus FtdiDriver::SetBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) {
    if (!IsOurHandle(handle)) {
        return kFtInvalidHandle;
    }
    if (mask != kAllLinesOutput || mode != kAsyncBitBang) {
        return kFtInvalidParameter;
    }
    if (!bitBang_) {
        if (!box_.SetBitBang()) {
            return kFtIoError;
        }
        bitBang_ = true;
    }
    return kFtOk;
}

FtStatus FtdiDriver::Write(FtHandle handle, const void* buffer, std::uint32_t length,
                           std::uint32_t* written) {
    if (written != nullptr) {
        *written = 0;
    }
    if (!IsOurHandle(handle)) {
        return kFtInvalidHandle;
    }
    if ((buffer == nullptr && length != 0) || written == nullptr) {
        return kFtInvalidParameter;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    for (std::uint32_t i = 0; i < length; ++i) {
        if (!box_.WriteByte(bytes[i])) {
            if (!box_.IsOpen()) {
                bitBang_ = false;
                return kFtIoError;   // gone from the bus
            }
            return kFtOk;            // the timeout ended the write: *written says how far
        }
        ++*written;
    }
    return kFtOk;
}

FtStatus FtdiDriver::Close(FtHandle handle) {
    if (!IsOurHandle(handle)) {
        return kFtInvalidHandle;
    }
    handleOpen_ = false;   // the device stays open: see the header
    return kFtOk;
}

}  // namespace torvik

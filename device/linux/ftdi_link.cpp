#include "device/linux/ftdi_link.h"

#include <algorithm>

namespace torvik {

LinkResult FtdiLink::List(std::vector<ListedDevice>& devices) {
    devices.clear();
    listed_.clear();
    if (!box_.Usable()) {
        return LinkResult::Failed;
    }
    std::vector<UsbDeviceInfo> found = box_.ListDevices();
    // In order of place on the bus, so that the first box the core accepts is the one at the
    // lowest place.
    std::sort(found.begin(), found.end(), LowerPlaceOnBus);
    bool openStillThere = false;
    for (const UsbDeviceInfo& device : found) {
        const auto identity = StableIdentity(device.busNumber, device.portNumbers);
        if (!identity) {
            continue;
        }
        ListedDevice entry;
        if (device.accessDenied) {
            entry.accessDenied = true;
        } else if (!device.serialNumber || device.heldElsewhere) {
            entry.heldElsewhere = true;
        } else {
            entry.serial = device.serialNumber->substr(0, kSerialNumberChars);
            entry.identity = *identity;
            entry.openedHere = handleOpen_ && *identity == box_.OpenIdentity();
            listed_.push_back(*identity);
        }
        openStillThere = openStillThere || *identity == box_.OpenIdentity();
        devices.push_back(std::move(entry));
    }
    if (box_.IsOpen() && !openStillThere) {
        box_.Close();
        bitBang_ = false;
        handleOpen_ = false;
    }
    return LinkResult::Ok;
}

LinkResult FtdiLink::Open(const std::string& identity, LinkHandle& handle) {
    handle = kNoHandle;
    if (identity.empty() || std::find(listed_.begin(), listed_.end(), identity) == listed_.end()) {
        return LinkResult::NotFound;
    }
    if (handleOpen_) {
        return LinkResult::NotOpened;   // opens are exclusive
    }
    if (box_.OpenIdentity() != identity) {
        bitBang_ = false;
        if (!box_.Open(identity)) {
            return LinkResult::NotOpened;
        }
    }
    handleOpen_ = true;
    handle = kToken;
    return LinkResult::Ok;
}

LinkResult FtdiLink::SetTimeouts(LinkHandle handle, std::uint32_t, std::uint32_t) {
    // FtdiBox writes with its own one-second timeout.
    return IsOurHandle(handle) ? LinkResult::Ok : LinkResult::InvalidHandle;
}

LinkResult FtdiLink::EnterBitBang(LinkHandle handle) {
    if (!IsOurHandle(handle)) {
        return LinkResult::InvalidHandle;
    }
    if (!bitBang_) {
        if (!box_.SetBitBang()) {
            return LinkResult::IoError;
        }
        bitBang_ = true;
    }
    return LinkResult::Ok;
}

LinkResult FtdiLink::WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) {
    written = 0;
    if (!IsOurHandle(handle)) {
        return LinkResult::InvalidHandle;
    }
    if (!box_.WriteByte(byte)) {
        if (!box_.IsOpen()) {
            bitBang_ = false;
            return LinkResult::IoError;   // gone from the bus
        }
        return LinkResult::Ok;            // the timeout ended the write: nothing taken
    }
    written = 1;
    return LinkResult::Ok;
}

LinkResult FtdiLink::Close(LinkHandle handle) {
    if (!IsOurHandle(handle)) {
        return LinkResult::InvalidHandle;
    }
    handleOpen_ = false;   // the device stays open: see the header
    return LinkResult::Ok;
}

}  // namespace torvik

#include "device/simulated_box.h"

#include <algorithm>
#include <cstring>

namespace torvik {
namespace {

// Handles are opaque, non-null and never reused; the base keeps them away from small
// integers that a caller might pass by mistake.
constexpr std::uintptr_t kHandleBase = 0x7A110000;
constexpr std::uintptr_t kHandleStep = 0x10;

// What a listed node reports besides the fields the test sets.
constexpr std::uint32_t kDeviceType232R = 5;
constexpr std::uint32_t kVendorProductId = 0x04036001;

void CopyText(char* field, std::size_t fieldSize, const std::string& text) {
    std::memset(field, 0, fieldSize);
    std::memcpy(field, text.data(), std::min(text.size(), fieldSize - 1));
}

}  // namespace

FtStatus SimulatedBox::Record(SimCall call) {
    calls_.push_back(call);
    return call.status;
}

const SimDevice* SimulatedBox::Attached(std::uint32_t locationId) const {
    const auto found = std::find_if(devices.begin(), devices.end(), [&](const SimDevice& d) {
        return d.locationId == locationId;
    });
    return found == devices.end() ? nullptr : &*found;
}

std::optional<std::uint32_t> SimulatedBox::LocationOf(FtHandle handle) const {
    const auto found = openHandles_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == openHandles_.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool SimulatedBox::IsOpen(std::uint32_t locationId) const {
    return std::any_of(openHandles_.begin(), openHandles_.end(),
                       [&](const auto& open) { return open.second == locationId; });
}

std::vector<std::uint8_t> SimulatedBox::BytesWritten() const {
    return bytes_;
}

int SimulatedBox::OpenHandles() const {
    return static_cast<int>(openHandles_.size());
}

std::optional<std::uint8_t> SimulatedBox::LastOutput(std::uint32_t locationId) const {
    const auto found = lastOutput_.find(locationId);
    if (found == lastOutput_.end()) {
        return std::nullopt;
    }
    return found->second;
}

FtStatus SimulatedBox::CreateDeviceInfoList(std::uint32_t* count) {
    SimCall call{SimCall::Kind::List};
    if (listFails || driverMissing) {
        listed_.clear();
        if (count != nullptr) {
            *count = 0;
        }
        call.status = kFtOtherError;
        return Record(call);
    }
    if (count == nullptr) {
        call.status = kFtInvalidParameter;
        return Record(call);
    }
    listed_ = devices;
    *count = static_cast<std::uint32_t>(listed_.size());
    call.value = *count;
    return Record(call);
}

FtStatus SimulatedBox::GetDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) {
    return ListInto(nodes, count, count != nullptr ? *count : 0);
}

FtStatus SimulatedBox::FillDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) {
    return ListInto(nodes, count, listed_.size());
}

FtStatus SimulatedBox::ListInto(DeviceNode* nodes, std::uint32_t* count, std::size_t room) {
    SimCall call{SimCall::Kind::GetList};
    if (listFails || driverMissing) {
        if (count != nullptr) {
            *count = 0;
        }
        call.status = kFtOtherError;
        return Record(call);
    }
    if (nodes == nullptr || count == nullptr) {
        call.status = kFtInvalidParameter;
        return Record(call);
    }
    const std::size_t filled = std::min(room, listed_.size());
    for (std::size_t i = 0; i < filled; ++i) {
        const SimDevice& device = listed_[i];
        DeviceNode& node = nodes[i];
        std::memset(&node, 0, sizeof node);
        node.Type = kDeviceType232R;
        node.ID = kVendorProductId;
        if (device.heldElsewhere) {
            // The driver cannot read a device another program holds: only the flag is known.
            node.Flags = kFtFlagOpened;
            continue;
        }
        // An open device keeps its texts but loses its location in the list.
        const bool opened = IsOpen(device.locationId);
        node.Flags = opened ? kFtFlagOpened : 0;
        node.LocId = opened ? 0 : device.locationId;
        CopyText(node.SerialNumber, sizeof node.SerialNumber, device.serial);
        CopyText(node.Description, sizeof node.Description, device.description);
        node.ftHandle = nullptr;
    }
    *count = static_cast<std::uint32_t>(listed_.size());
    call.value = *count;
    return Record(call);
}

FtStatus SimulatedBox::OpenEx(std::uint32_t locationId, std::uint32_t flags, FtHandle* handle) {
    SimCall call{SimCall::Kind::Open};
    call.value = locationId;
    if (handle == nullptr || flags != kFtOpenByLocation) {
        call.status = kFtInvalidParameter;
        return Record(call);
    }
    *handle = nullptr;
    if (vanishBeforeNextOpen) {
        vanishBeforeNextOpen = false;
        std::erase_if(devices, [&](const SimDevice& d) { return d.locationId == locationId; });
    }
    const SimDevice* device = Attached(locationId);
    if (device == nullptr) {
        call.status = kFtDeviceNotFound;
        return Record(call);
    }
    if (device->openFails || device->heldElsewhere || IsOpen(locationId)) {
        call.status = kFtDeviceNotOpened;   // refused, or open already: opens are exclusive
        return Record(call);
    }
    ++nextHandle_;
    const std::uintptr_t value = kHandleBase + nextHandle_ * kHandleStep;
    openHandles_[value] = locationId;
    *handle = reinterpret_cast<FtHandle>(value);
    return Record(call);
}

FtStatus SimulatedBox::SetTimeouts(FtHandle handle, std::uint32_t, std::uint32_t writeMs) {
    SimCall call{SimCall::Kind::Timeouts};
    call.value = writeMs;
    if (!LocationOf(handle)) {
        call.status = kFtInvalidHandle;
    }
    return Record(call);
}

FtStatus SimulatedBox::SetBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) {
    SimCall call{SimCall::Kind::BitMode};
    call.mask = mask;
    call.mode = mode;
    const std::optional<std::uint32_t> location = LocationOf(handle);
    if (!location) {
        call.status = kFtInvalidHandle;
        return Record(call);
    }
    const SimDevice* device = Attached(*location);
    if (device == nullptr || device->bitModeFails) {
        call.status = kFtIoError;
    }
    return Record(call);
}

FtStatus SimulatedBox::Write(FtHandle handle, const void* buffer, std::uint32_t length,
                             std::uint32_t* written) {
    SimCall call{SimCall::Kind::Write};
    if (written != nullptr) {
        *written = 0;
    }
    const std::optional<std::uint32_t> location = LocationOf(handle);
    if (!location) {
        call.status = kFtInvalidHandle;
        return Record(call);
    }
    if ((buffer == nullptr && length != 0) || written == nullptr) {
        call.status = kFtInvalidParameter;
        return Record(call);
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (length > 0) {
        call.value = bytes[0];
    }
    const SimDevice* device = Attached(*location);
    if (device == nullptr || device->writeFails) {
        call.status = kFtIoError;
        return Record(call);
    }
    if (device->shortWrite) {
        return Record(call);   // the write timed out: status 0, nothing taken
    }
    if (length > 0) {
        bytes_.insert(bytes_.end(), bytes, bytes + length);
        lastOutput_[*location] = bytes[length - 1];
    }
    *written = length;
    call.written = length;
    return Record(call);
}

FtStatus SimulatedBox::Close(FtHandle handle) {
    SimCall call{SimCall::Kind::Close};
    if (openHandles_.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0) {
        call.status = kFtInvalidHandle;
    }
    return Record(call);
}

}  // namespace torvik

#include "device/simulated_box.h"

#include "device/location_identity.h"

#include <algorithm>

namespace torvik {
namespace {

// Handles are opaque, non-null and never reused; the base keeps them away from small
// integers that a caller might pass by mistake.
constexpr std::uintptr_t kHandleBase = 0x7A110000;
constexpr std::uintptr_t kHandleStep = 0x10;

// The longest texts the vendor's driver reports: its fields hold 16 and 64 bytes with a NUL.
constexpr std::size_t kSerialLength = 15;
constexpr std::size_t kDescriptionLength = 63;

}  // namespace

LinkResult SimulatedBox::Record(SimCall call) {
    calls_.push_back(call);
    return call.result;
}

const SimDevice* SimulatedBox::Attached(std::uint32_t locationId) const {
    const auto found = std::find_if(devices.begin(), devices.end(), [&](const SimDevice& d) {
        return d.locationId == locationId;
    });
    return found == devices.end() ? nullptr : &*found;
}

std::optional<std::uint32_t> SimulatedBox::LocationOf(LinkHandle handle) const {
    const auto found = openHandles_.find(handle);
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

LinkResult SimulatedBox::List(std::vector<ListedDevice>& listed) {
    SimCall call{SimCall::Kind::List};
    listed.clear();
    if (listFails || driverMissing) {
        call.result = LinkResult::Failed;
        return Record(call);
    }
    for (const SimDevice& device : devices) {
        ListedDevice& entry = listed.emplace_back();
        if (device.heldElsewhere) {
            // The driver cannot read a device another program holds: only that is known.
            entry.heldElsewhere = true;
            continue;
        }
        if (device.accessDenied) {
            entry.accessDenied = true;   // a link that may not open it cannot read it either
            continue;
        }
        // An open device keeps its texts but loses its place in the list.
        entry.openedHere = IsOpen(device.locationId);
        entry.serial = device.serial.substr(0, kSerialLength);
        entry.description = device.description.substr(0, kDescriptionLength);
        entry.identity = entry.openedHere ? std::string() : IdentityOfLocation(device.locationId);
    }
    call.value = static_cast<std::uint32_t>(listed.size());
    return Record(call);
}

LinkResult SimulatedBox::Open(const std::string& identity, LinkHandle& handle) {
    SimCall call{SimCall::Kind::Open};
    handle = kNoHandle;
    const std::optional<std::uint32_t> location = LocationOfIdentity(identity);
    if (!location) {
        call.result = LinkResult::NotFound;
        return Record(call);
    }
    const std::uint32_t locationId = *location;
    call.value = locationId;
    if (vanishBeforeNextOpen) {
        vanishBeforeNextOpen = false;
        std::erase_if(devices, [&](const SimDevice& d) { return d.locationId == locationId; });
    }
    const SimDevice* device = Attached(locationId);
    if (device == nullptr) {
        call.result = LinkResult::NotFound;
        return Record(call);
    }
    if (device->openFails || device->heldElsewhere || device->accessDenied ||
        IsOpen(locationId)) {
        call.result = LinkResult::NotOpened;   // refused, or open already: opens are exclusive
        return Record(call);
    }
    ++nextHandle_;
    handle = kHandleBase + nextHandle_ * kHandleStep;
    openHandles_[handle] = locationId;
    return Record(call);
}

LinkResult SimulatedBox::SetTimeouts(LinkHandle handle, std::uint32_t, std::uint32_t writeMs) {
    SimCall call{SimCall::Kind::Timeouts};
    call.value = writeMs;
    if (!LocationOf(handle)) {
        call.result = LinkResult::InvalidHandle;
    }
    return Record(call);
}

LinkResult SimulatedBox::EnterBitBang(LinkHandle handle) {
    SimCall call{SimCall::Kind::BitMode};
    const std::optional<std::uint32_t> location = LocationOf(handle);
    if (!location) {
        call.result = LinkResult::InvalidHandle;
        return Record(call);
    }
    const SimDevice* device = Attached(*location);
    if (device == nullptr || device->bitModeFails) {
        call.result = LinkResult::IoError;
    }
    return Record(call);
}

LinkResult SimulatedBox::WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) {
    SimCall call{SimCall::Kind::Write};
    written = 0;
    const std::optional<std::uint32_t> location = LocationOf(handle);
    if (!location) {
        call.result = LinkResult::InvalidHandle;
        return Record(call);
    }
    call.value = byte;
    const SimDevice* device = Attached(*location);
    if (device == nullptr || device->writeFails) {
        call.result = LinkResult::IoError;
        return Record(call);
    }
    if (device->shortWrite) {
        return Record(call);   // the write timed out: success, nothing taken
    }
    bytes_.push_back(byte);
    lastOutput_[*location] = byte;
    written = 1;
    call.written = 1;
    return Record(call);
}

LinkResult SimulatedBox::Close(LinkHandle handle) {
    SimCall call{SimCall::Kind::Close};
    if (openHandles_.erase(handle) == 0) {
        call.result = LinkResult::InvalidHandle;
    }
    return Record(call);
}

}  // namespace torvik

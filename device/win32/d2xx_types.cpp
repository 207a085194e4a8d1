#include "device/win32/d2xx_types.h"

#include "core/field_text.h"

namespace torvik {

LinkResult ResultOf(FtStatus status) {
    switch (status) {
    case kFtOk: return LinkResult::Ok;
    case kFtInvalidHandle: return LinkResult::InvalidHandle;
    case kFtDeviceNotFound: return LinkResult::NotFound;
    case kFtDeviceNotOpened: return LinkResult::NotOpened;
    case kFtIoError: return LinkResult::IoError;
    case kFtInvalidParameter: return LinkResult::InvalidArgument;
    default: return LinkResult::Failed;
    }
}

FtStatus StatusOf(LinkResult result) {
    switch (result) {
    case LinkResult::Ok: return kFtOk;
    case LinkResult::InvalidHandle: return kFtInvalidHandle;
    case LinkResult::NotFound: return kFtDeviceNotFound;
    case LinkResult::NotOpened: return kFtDeviceNotOpened;
    case LinkResult::IoError: return kFtIoError;
    case LinkResult::InvalidArgument: return kFtInvalidParameter;
    case LinkResult::Failed: break;
    }
    return kFtOtherError;
}

ListedDevice ListedFromNode(const FtDeviceNode& node) {
    ListedDevice device;
    device.serial = std::string(FieldText(node.SerialNumber));
    device.description = std::string(FieldText(node.Description));
    const bool opened = (node.Flags & kFtFlagOpened) != 0;
    device.heldElsewhere = opened && device.serial.empty();
    device.openedHere = opened && !device.serial.empty();
    device.identity = opened ? std::string() : IdentityOfLocation(node.LocId);
    return device;
}

}  // namespace torvik

#include "app/link_status.h"

namespace torvik {

LinkStatus StatusAfterWrite(OutputWrite outcome) {
    switch (outcome) {
    case OutputWrite::Written: return LinkStatus::Ready;
    case OutputWrite::NotOpened: return LinkStatus::OpenFailed;
    case OutputWrite::ModeRefused: return LinkStatus::ModeRefused;
    case OutputWrite::WriteFailed: return LinkStatus::WriteFailed;
    }
    return LinkStatus::WriteFailed;
}

std::string StatusText(LinkStatus status, std::string_view driverName) {
    switch (status) {
    case LinkStatus::Ready:
    case LinkStatus::NoDevice: return "no Device detected --- wait for connection";
    case LinkStatus::NoDriver:
        return "no usable " + std::string(driverName) + " driver --- reinstall it";
    case LinkStatus::InUse: return "Device in use by another program";
    case LinkStatus::NoAccess: return "no permission for the box --- see the manual";
    case LinkStatus::OpenFailed: return "Device cannot be opened --- replug it";
    case LinkStatus::ModeRefused: return "Device refused the output mode";
    case LinkStatus::WriteFailed: return "Device did not take the setting";
    }
    return "";
}

std::string TrayTip(LinkStatus status) {
    const std::string name = kTrayTipName;
    switch (status) {
    case LinkStatus::Ready:
    case LinkStatus::NoDevice: return name;
    case LinkStatus::NoDriver: return name + " - no usable driver";
    case LinkStatus::InUse: return name + " - device in use";
    case LinkStatus::NoAccess: return name + " - no permission";
    case LinkStatus::OpenFailed: return name + " - device not opened";
    case LinkStatus::ModeRefused: return name + " - output mode refused";
    case LinkStatus::WriteFailed: return name + " - write failed";
    }
    return name;
}

}  // namespace torvik

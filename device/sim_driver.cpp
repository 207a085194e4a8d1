#include "device/sim_driver.h"

#include "device/sim_call_log.h"
#include "device/sim_devices_file.h"

namespace torvik::sim {

void LoggedSimDriver::ReadDevices() {
    devicesText_ = ReadDevicesText(devicesPath_);
    box_.devices = ParseDevices(devicesText_);
}

void LoggedSimDriver::Log(const std::string& line) const { AppendLine(logPath_, line); }

FtStatus LoggedSimDriver::CreateDeviceInfoList(std::uint32_t* count) {
    ReadDevices();
    std::uint32_t listed = 0;
    const FtStatus status = box_.CreateDeviceInfoList(&listed);
    Log(ListLine(listed));
    if (count == nullptr) {
        return kFtInvalidParameter;
    }
    *count = listed;
    return status;
}

FtStatus LoggedSimDriver::GetDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) {
    return count == nullptr ? kFtInvalidParameter : box_.GetDeviceInfoList(nodes, count);
}

FtStatus LoggedSimDriver::FillDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) {
    return count == nullptr ? kFtInvalidParameter : box_.FillDeviceInfoList(nodes, count);
}

FtStatus LoggedSimDriver::OpenEx(std::uint32_t locationId, std::uint32_t flags,
                                 FtHandle* handle) {
    ReadDevices();
    const FtStatus status = box_.OpenEx(locationId, flags, handle);
    Log(OpenLine(flags == kFtOpenByLocation ? locationId : 0, status));
    return status;
}

FtStatus LoggedSimDriver::SetTimeouts(FtHandle handle, std::uint32_t readMs,
                                      std::uint32_t writeMs) {
    const FtStatus status = box_.SetTimeouts(handle, readMs, writeMs);
    Log(TimeoutsLine(readMs, writeMs, status));
    return status;
}

FtStatus LoggedSimDriver::SetBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) {
    const FtStatus status = box_.SetBitMode(handle, mask, mode);
    Log(BitModeLine(mask, mode, status));
    return status;
}

FtStatus LoggedSimDriver::Write(FtHandle handle, const void* buffer, std::uint32_t length,
                                std::uint32_t* written) {
    std::uint32_t done = 0;
    const FtStatus status =
        box_.Write(handle, buffer, length, written != nullptr ? &done : nullptr);
    if (written != nullptr) {
        *written = done;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (bytes == nullptr || length == 0) {
        Log(WriteLine(nullptr, status));
    }
    for (std::uint32_t i = 0; bytes != nullptr && i < length && i < kMaxLoggedBytes; ++i) {
        Log(WriteLine(&bytes[i], status, i < done));
    }
    return status;
}

FtStatus LoggedSimDriver::Close(FtHandle handle) {
    const FtStatus status = box_.Close(handle);
    Log(CloseLine(status));
    return status;
}

}  // namespace torvik::sim

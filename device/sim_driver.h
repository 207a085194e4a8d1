#pragma once
// The simulated box as a whole driver: its attached devices read from the devices file at every
// list and open call (sim_devices_file.h), and every call written to the call log
// (sim_call_log.h). The Windows stand-in driver library and the Linux program's
// TORVIK_SIM_DEVICES mode both drive it, so the two keep one contract.
#include <string>

#include "device/d2xx.h"
#include "device/simulated_box.h"

namespace torvik::sim {

class LoggedSimDriver final : public D2xxDriver {
public:
    // Empty paths: no devices, no log.
    LoggedSimDriver(std::string devicesPath, std::string logPath)
        : devicesPath_(std::move(devicesPath)), logPath_(std::move(logPath)) {}

    FtStatus CreateDeviceInfoList(std::uint32_t* count) override;
    FtStatus GetDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) override;
    // The vendor's form of the list call: every node is written, whatever *count says.
    FtStatus FillDeviceInfoList(DeviceNode* nodes, std::uint32_t* count);
    FtStatus OpenEx(std::uint32_t locationId, std::uint32_t flags, FtHandle* handle) override;
    FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
    FtStatus SetBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) override;
    // Logs one line per byte, at most kMaxLoggedBytes of them.
    FtStatus Write(FtHandle handle, const void* buffer, std::uint32_t length,
                   std::uint32_t* written) override;
    FtStatus Close(FtHandle handle) override;

    // The devices file's content as last read (empty before the first read).
    const std::string& DevicesText() const { return devicesText_; }
    const std::string& DevicesPath() const { return devicesPath_; }

    static constexpr std::uint32_t kMaxLoggedBytes = 4096;

private:
    void ReadDevices();
    void Log(const std::string& line) const;

    std::string devicesPath_;
    std::string logPath_;
    std::string devicesText_;
    SimulatedBox box_;
};

}  // namespace torvik::sim

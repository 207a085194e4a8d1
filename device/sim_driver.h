#pragma once
// The simulated box as a whole link: its attached devices read from the devices file at every
// list and open call (sim_devices_file.h), and every call written to the call log
// (sim_call_log.h). The Windows stand-in driver library and the Linux program's
// TORVIK_SIM_DEVICES mode both drive it, so the two keep one contract.
#include <string>

#include "device/box_link.h"
#include "device/simulated_box.h"

namespace torvik::sim {

class LoggedSimLink final : public BoxLink {
public:
    // Empty paths: no devices, no log.
    LoggedSimLink(std::string devicesPath, std::string logPath)
        : devicesPath_(std::move(devicesPath)), logPath_(std::move(logPath)) {}

    LinkResult List(std::vector<ListedDevice>& devices) override;
    LinkResult Open(const std::string& identity, LinkHandle& handle) override;
    LinkResult SetTimeouts(LinkHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
    LinkResult EnterBitBang(LinkHandle handle) override;
    LinkResult WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) override;
    LinkResult Close(LinkHandle handle) override;
    bool HoldsHandle(LinkHandle handle) const { return box_.HoldsHandle(handle); }

    // The devices file's content as last read (empty before the first read).
    const std::string& DevicesText() const { return devicesText_; }
    const std::string& DevicesPath() const { return devicesPath_; }

private:
    void ReadDevices();
    void Log(const std::string& line) const;

    std::string devicesPath_;
    std::string logPath_;
    std::string devicesText_;
    SimulatedBox box_;
};

}  // namespace torvik::sim

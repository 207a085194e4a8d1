#include "device/sim_driver.h"

#include "device/location_identity.h"
#include "device/sim_call_log.h"
#include "device/sim_devices_file.h"

namespace torvik::sim {
namespace {

// What bit-bang is in the driver's words, for the log.
constexpr std::uint8_t kAllLinesOutput = 0xFF;
constexpr std::uint8_t kAsyncBitBang = 0x01;

}  // namespace

void LoggedSimLink::ReadDevices() {
    devicesText_ = ReadDevicesText(devicesPath_);
    box_.devices = ParseDevices(devicesText_);
}

void LoggedSimLink::Log(const std::string& line) const { AppendLine(logPath_, line); }

LinkResult LoggedSimLink::List(std::vector<ListedDevice>& devices) {
    ReadDevices();
    const LinkResult result = box_.List(devices);
    Log(ListLine(static_cast<std::uint32_t>(devices.size())));
    return result;
}

LinkResult LoggedSimLink::Open(const std::string& identity, LinkHandle& handle) {
    ReadDevices();
    const LinkResult result = box_.Open(identity, handle);
    Log(OpenLine(LocationOfIdentity(identity).value_or(0), result));
    return result;
}

LinkResult LoggedSimLink::SetTimeouts(LinkHandle handle, std::uint32_t readMs,
                                      std::uint32_t writeMs) {
    const LinkResult result = box_.SetTimeouts(handle, readMs, writeMs);
    Log(TimeoutsLine(readMs, writeMs, result));
    return result;
}

LinkResult LoggedSimLink::EnterBitBang(LinkHandle handle) {
    const LinkResult result = box_.EnterBitBang(handle);
    Log(BitModeLine(kAllLinesOutput, kAsyncBitBang, result));
    return result;
}

LinkResult LoggedSimLink::WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) {
    const LinkResult result = box_.WriteByte(handle, byte, written);
    Log(WriteLine(&byte, result, written == 1));
    return result;
}

LinkResult LoggedSimLink::Close(LinkHandle handle) {
    const LinkResult result = box_.Close(handle);
    Log(CloseLine(result));
    return result;
}

}  // namespace torvik::sim

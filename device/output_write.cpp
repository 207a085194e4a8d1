#include "device/output_write.h"

namespace torvik {
namespace {

// Closes the driver handle when the write is over, on every path.
class OpenDevice {
public:
    OpenDevice(D2xxDriver& driver, FtHandle handle) : driver_(driver), handle_(handle) {}
    ~OpenDevice() { driver_.Close(handle_); }
    OpenDevice(const OpenDevice&) = delete;
    OpenDevice& operator=(const OpenDevice&) = delete;
    FtHandle get() const { return handle_; }

private:
    D2xxDriver& driver_;
    FtHandle handle_;
};

constexpr std::uint8_t kAntenna3Bit = 0x01;
constexpr std::uint8_t kAntenna1Bit = 0x02;
constexpr std::uint8_t kAntenna2Bit = 0x04;
constexpr std::uint8_t kRunningBit = 0x08;
constexpr std::uint8_t kFourthBit = 0x10;

}  // namespace

std::uint8_t ComposeOutputByte(const std::int32_t antennaOn[4], std::int32_t runFlag) {
    std::uint8_t byte = 0;
    if (antennaOn[2] != 0) byte |= kAntenna3Bit;
    if (antennaOn[0] != 0) byte |= kAntenna1Bit;
    if (antennaOn[1] != 0) byte |= kAntenna2Bit;
    if (antennaOn[3] != 0) byte |= kFourthBit;
    // Only the running bit is taken from runFlag: the other lines belong to the antennas.
    byte |= static_cast<std::uint8_t>(runFlag & kRunningBit);
    return byte;
}

OutputWrite WriteOutputByte(D2xxDriver& driver, std::uint32_t locationId, std::uint8_t byte) {
    FtHandle handle = nullptr;
    if (driver.OpenEx(locationId, kFtOpenByLocation, &handle) != kFtOk || handle == nullptr) {
        return OutputWrite::NotOpened;
    }
    const OpenDevice device(driver, handle);
    // A refusal here changes nothing that matters: the write below then finds the failure.
    driver.SetTimeouts(device.get(), kReadTimeoutMs, kWriteTimeoutMs);
    const bool modeSet = driver.SetBitMode(device.get(), kAllLinesOutput, kAsyncBitBang) == kFtOk;
    std::uint32_t written = 0;
    const bool taken = driver.Write(device.get(), &byte, 1, &written) == kFtOk && written == 1;
    if (!modeSet) {
        return OutputWrite::ModeRefused;
    }
    return taken ? OutputWrite::Written : OutputWrite::WriteFailed;
}

}  // namespace torvik

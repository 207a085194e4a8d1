#include "device/output_write.h"

namespace torvik {
namespace {

// Closes the link's handle when the write is over, on every path.
class OpenDevice {
public:
    OpenDevice(BoxLink& link, LinkHandle handle) : link_(link), handle_(handle) {}
    ~OpenDevice() { link_.Close(handle_); }
    OpenDevice(const OpenDevice&) = delete;
    OpenDevice& operator=(const OpenDevice&) = delete;
    LinkHandle get() const { return handle_; }

private:
    BoxLink& link_;
    LinkHandle handle_;
};

constexpr std::uint8_t kAntenna3Bit = 0x01;
constexpr std::uint8_t kAntenna1Bit = 0x02;
constexpr std::uint8_t kAntenna2Bit = 0x04;
constexpr std::uint8_t kFourthBit = 0x10;

}  // namespace

std::uint8_t ComposeOutputByte(const std::int32_t antennaOn[4], std::int32_t runFlag) {
    std::uint8_t byte = 0;
    if (antennaOn[2] != 0) byte |= kAntenna3Bit;
    if (antennaOn[0] != 0) byte |= kAntenna1Bit;
    if (antennaOn[1] != 0) byte |= kAntenna2Bit;
    if (antennaOn[3] != 0) byte |= kFourthBit;
    // Only the running bit is taken from runFlag: the other lines belong to the antennas.
    byte |= static_cast<std::uint8_t>(runFlag & kRunning);
    return byte;
}

OutputWrite WriteOutputByte(BoxLink& link, const std::string& identity, std::uint8_t byte) {
    LinkHandle handle = kNoHandle;
    if (link.Open(identity, handle) != LinkResult::Ok || handle == kNoHandle) {
        return OutputWrite::NotOpened;
    }
    const OpenDevice device(link, handle);
    // A refusal here changes nothing that matters: the write below then finds the failure.
    link.SetTimeouts(device.get(), kReadTimeoutMs, kWriteTimeoutMs);
    const bool modeSet = link.EnterBitBang(device.get()) == LinkResult::Ok;
    std::uint32_t written = 0;
    const bool taken = link.WriteByte(device.get(), byte, written) == LinkResult::Ok && written == 1;
    if (!modeSet) {
        return OutputWrite::ModeRefused;
    }
    return taken ? OutputWrite::Written : OutputWrite::WriteFailed;
}

}  // namespace torvik

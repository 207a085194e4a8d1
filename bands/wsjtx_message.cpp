#include "bands/wsjtx_message.h"

#include "bands/band_rules.h"

namespace torvik::bands {
namespace {

constexpr std::uint32_t kNullString = 0xffffffff;

// Reads big-endian fields and never past the datagram's end; after the first failure every
// read fails.
class StreamReader {
public:
    explicit StreamReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::uint64_t> Unsigned(std::size_t width) {
        if (!Have(width)) return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value = (value << 8) | static_cast<unsigned char>(bytes_[at_ + i]);
        }
        at_ += width;
        return value;
    }
    // A utf8 string's bytes are passed over: only its length is checked.
    bool SkipString() {
        const std::optional<std::uint64_t> length = Unsigned(4);
        if (!length) return false;
        if (*length == kNullString) return true;
        if (!Have(*length)) return false;
        at_ += static_cast<std::size_t>(*length);
        return true;
    }

private:
    bool Have(std::uint64_t count) {
        if (failed_ || count > bytes_.size() - at_) failed_ = true;
        return !failed_;
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

}  // namespace

std::optional<WsjtxMessage> ReadWsjtxMessage(std::string_view datagram) {
    StreamReader in(datagram);
    const std::optional<std::uint64_t> magic = in.Unsigned(4);
    const std::optional<std::uint64_t> schema = in.Unsigned(4);
    const std::optional<std::uint64_t> type = in.Unsigned(4);
    if (!magic || *magic != kWsjtxMagic || !schema || (*schema != 2 && *schema != 3) || !type ||
        !in.SkipString()) {
        return std::nullopt;
    }
    WsjtxMessage message;
    if (*type == 0) message.type = WsjtxMessage::Type::kHeartbeat;
    if (*type != 1) return message;

    message.type = WsjtxMessage::Type::kStatus;
    const std::optional<std::uint64_t> dial = in.Unsigned(8);
    if (!dial || *dial > kMaxFrequencyHz) return std::nullopt;
    message.dialHz = *dial;
    for (int i = 0; i < 4; ++i) {  // Mode, DX call, Report, Tx Mode
        if (!in.SkipString()) return std::nullopt;
    }
    const std::optional<std::uint64_t> txEnabled = in.Unsigned(1);
    const std::optional<std::uint64_t> transmitting = in.Unsigned(1);
    const std::optional<std::uint64_t> decoding = in.Unsigned(1);
    if (!txEnabled || !transmitting || !decoding) return std::nullopt;
    message.transmitting = *transmitting != 0;
    return message;
}

}  // namespace torvik::bands

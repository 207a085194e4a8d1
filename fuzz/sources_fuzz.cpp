// Fuzzes what the pushed and polled sources other than rigctld send: a logger's RadioInfo
// datagram, WSJT-X's datagram, flrig's HTTP replies and the SOURCE text.
//
// The first byte chooses how the rest is read:
// - 0: a RadioInfo datagram: a frequency read is whole tens of Hz and in range;
// - 1: a WSJT-X datagram: a Status's frequency is in range, and a cut-short copy is never read
//   as a longer message's Status;
// - 2: flrig's bytes cut into pieces where the next bytes say: the same answers as in one piece,
//   every frequency in range, and once the stream is lost it stays lost;
// - 3: a SOURCE text: what parses re-reads to the same source from its own text.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "bands/flrig_protocol.h"
#include "bands/radio_info.h"
#include "bands/source_kind.h"
#include "bands/wsjtx_message.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace torvik::bands;
using torvik::fuzz::Require;

void CheckRadioInfo(std::string_view bytes) {
    const std::optional<RadioInfo> info = ReadRadioInfo(bytes);
    if (!info) return;
    Require(info->hz <= kMaxFrequencyHz && info->txHz <= kMaxFrequencyHz, "out of range");
    Require(info->hz % 10 == 0 && info->txHz % 10 == 0, "not tens of Hz");
    Require(info->radio >= 1 && info->radio <= 99, "radio number");
    Require(info->hz != 0 || info->noRadio, "no radio not marked");
}

void CheckWsjtx(std::string_view bytes) {
    const std::optional<WsjtxMessage> message = ReadWsjtxMessage(bytes);
    if (!message) return;
    Require(message->dialHz <= kMaxFrequencyHz, "out of range");
    Require(message->type == WsjtxMessage::Type::kStatus || message->dialHz == 0, "stray dial");
}

std::vector<RigAnswer> FlrigAnswers(std::string_view bytes, std::string_view cuts, bool& lost) {
    FlrigProtocol protocol(SourceAddress{});
    std::vector<RigAnswer> answers;
    std::size_t at = 0;
    lost = false;
    for (const char cut : cuts) {
        const std::size_t length =
            std::min<std::size_t>(static_cast<unsigned char>(cut) + 1u, bytes.size() - at);
        protocol.Feed(bytes.substr(at, length), answers);
        Require(!lost || protocol.Lost(), "a lost stream came back");
        lost = protocol.Lost();
        at += length;
    }
    protocol.Feed(bytes.substr(at), answers);
    Require(!lost || protocol.Lost(), "a lost stream came back");
    lost = protocol.Lost();
    return answers;
}

void CheckFlrig(std::string_view input) {
    const std::size_t split = std::min<std::size_t>(input.size(), 16);
    bool lostInPieces = false;
    bool lostWhole = false;
    const std::vector<RigAnswer> pieces =
        FlrigAnswers(input.substr(split), input.substr(0, split), lostInPieces);
    const std::vector<RigAnswer> whole = FlrigAnswers(input.substr(split), {}, lostWhole);
    Require(pieces == whole && lostInPieces == lostWhole, "answers depend on the pieces");
    for (const RigAnswer& answer : whole) Require(answer.hz <= kMaxFrequencyHz, "out of range");
}

void CheckSourceText(std::string_view text) {
    const Checked<FrequencySource> chosen = ParseSource(text);
    if (!chosen) {
        Require(!chosen.error.empty(), "refused without a message");
        return;
    }
    const Checked<FrequencySource> again = ParseSource(chosen.value->Text());
    Require(again && *again.value == *chosen.value, "source text does not round-trip");
    Require(chosen.value->address.port != 0, "port 0");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
    case 0: CheckRadioInfo(input); break;
    case 1: CheckWsjtx(input); break;
    case 2: CheckFlrig(input); break;
    default: CheckSourceText(input); break;
    }
    return 0;
}

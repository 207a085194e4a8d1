#pragma once
// Datagrams as the pushing programs send them, for the tests, the test sender and the bench:
// a logger's RadioInfo (the element list its documentation gives) and WSJT-X's Heartbeat and
// Status in QDataStream's big-endian layout.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace torvik::bands::testing {

struct RadioInfoFields {
    int radio = 1;
    std::uint64_t tensOfHz = 1407400;
    std::uint64_t txTensOfHz = 1407400;
    bool transmitting = false;
    std::string radioName = "IC-7300";
    std::string transmittingText;  // overrides the boolean's text when set
};

inline RadioInfoFields Radio(int radio, std::uint64_t tensOfHz, std::uint64_t txTensOfHz,
                             bool transmitting, std::string name) {
    RadioInfoFields fields;
    fields.radio = radio;
    fields.tensOfHz = tensOfHz;
    fields.txTensOfHz = txTensOfHz;
    fields.transmitting = transmitting;
    fields.radioName = std::move(name);
    return fields;
}

inline std::string RadioInfoDatagram(const RadioInfoFields& f) {
    const std::string keyed =
        !f.transmittingText.empty() ? f.transmittingText : (f.transmitting ? "True" : "False");
    const bool split = f.txTensOfHz != f.tensOfHz;
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<RadioInfo>\r\n"
           "  <app>Logger</app>\r\n  <StationName>SHACK-PC</StationName>\r\n"
           "  <RadioNr>" + std::to_string(f.radio) + "</RadioNr>\r\n"
           "  <Freq>" + std::to_string(f.tensOfHz) + "</Freq>\r\n"
           "  <TXFreq>" + std::to_string(f.txTensOfHz) + "</TXFreq>\r\n"
           "  <Mode>USB</Mode>\r\n  <OpCall>DL1ABC</OpCall>\r\n  <IsRunning>False</IsRunning>\r\n"
           "  <FocusRadioNr>1</FocusRadioNr>\r\n  <ActiveRadioNr>1</ActiveRadioNr>\r\n"
           "  <IsStereo>False</IsStereo>\r\n  <IsSplit>" + (split ? "True" : "False") +
           "</IsSplit>\r\n  <IsTransmitting>" + keyed + "</IsTransmitting>\r\n"
           "  <RadioName>" + f.radioName + "</RadioName>\r\n  <Antenna>1</Antenna>\r\n"
           "  <IsConnected>True</IsConnected>\r\n</RadioInfo>\r\n";
}

class StreamWriter {
public:
    StreamWriter& Unsigned(std::uint64_t value, int width) {
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<char>((value >> shift) & 0xff));
        }
        return *this;
    }
    StreamWriter& Utf8(std::string_view text) {
        Unsigned(text.size(), 4);
        bytes += text;
        return *this;
    }
    StreamWriter& NullUtf8() { return Unsigned(0xffffffff, 4); }
    StreamWriter& Bool(bool value) { return Unsigned(value ? 1 : 0, 1); }
    std::string bytes;
};

inline StreamWriter WsjtxHeader(std::uint32_t type, std::uint32_t schema = 2) {
    StreamWriter out;
    out.Unsigned(0xadbccbda, 4).Unsigned(schema, 4).Unsigned(type, 4).Utf8("WSJT-X");
    return out;
}

inline std::string WsjtxHeartbeat(std::uint32_t schema = 3) {
    return WsjtxHeader(0, schema).Unsigned(3, 4).Utf8("2.6.1").Utf8("").bytes;
}

// A Status with every field its documentation lists, the newest ones included.
inline std::string WsjtxStatus(std::uint64_t dialHz, bool transmitting, std::uint32_t schema = 2) {
    StreamWriter out = WsjtxHeader(1, schema);
    out.Unsigned(dialHz, 8).Utf8("FT8").Utf8("JA1XYZ").Utf8("-12").Utf8("FT8");
    out.Bool(true).Bool(transmitting).Bool(false);
    out.Unsigned(1500, 4).Unsigned(1200, 4).Utf8("DL1ABC").Utf8("JO62").Utf8("PM95");
    out.Bool(false).NullUtf8().Bool(false).Unsigned(0, 1).Unsigned(0xffffffff, 4)
        .Unsigned(0xffffffff, 4).Utf8("Default").Utf8("CQ DL1ABC JO62");
    return out.bytes;
}

}  // namespace torvik::bands::testing

// Sends what the frequency sources send, to 127.0.0.1 only:
//   source_sender radioinfo PORT RADIO TENS_OF_HZ [TX_TENS_OF_HZ [RADIO_NAME]]
//   source_sender wsjtx-status PORT HZ [SCHEMA]
//   source_sender wsjtx-heartbeat PORT
//   source_sender hostile PORT COUNT     garbage, cut and overlong datagrams, COUNT of them
//   source_sender flrig-set PORT HZ      rig.set_vfo to flrig's XML-RPC; exits 0 on a 200 reply
// Every step is bounded: sockets time out after 5 s.

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bands/tests/source_datagrams.h"
#include "tests/source_sender/source_client.h"

namespace {

using namespace torvik::bands::testing;

std::uint16_t Port(const char* text) {
    return static_cast<std::uint16_t>(std::strtoul(text, nullptr, 10));
}

int SendDatagrams(const char* port, const std::vector<std::string>& datagrams) {
    return torvik::bands::testing::SendDatagrams(Port(port), datagrams) ? 0 : 1;
}

std::vector<std::string> Hostile(int count) {
    std::mt19937 random(7);
    const std::string status = WsjtxStatus(14074000, false);
    RadioInfoFields negative = Radio(1, 1407400, 1407400, false, "IC-7300");
    std::string freqNegative = RadioInfoDatagram(negative);
    freqNegative.replace(freqNegative.find("<Freq>") + 6, 0, "-");
    std::string freqHuge = RadioInfoDatagram(negative);
    freqHuge.replace(freqHuge.find("<Freq>") + 6, 0, "999999999999999999999");
    std::string magic = status;
    magic[1] = 'x';
    std::string schema = WsjtxStatus(14074000, false, 9);
    std::string pastEnd = status.substr(0, 40);
    pastEnd[31] = 0x7f;  // Mode's length far past the datagram
    const std::string huge = "<RadioInfo><Freq>1407400</Freq><RadioName>" +
                             std::string(65000, 'x') + "</RadioName></RadioInfo>";
    const std::string bomb =
        "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]><RadioInfo><Freq>1407400</Freq><RadioName>&c;"
        "</RadioName></RadioInfo>";
    const std::vector<std::string> fixed = {freqNegative, freqHuge, magic, schema, pastEnd,
                                            huge, bomb, status.substr(0, 33),
                                            RadioInfoDatagram(negative).substr(0, 120)};
    std::vector<std::string> datagrams;
    for (int i = 0; i < count; ++i) {
        if (i % 4 != 3) {
            datagrams.push_back(fixed[static_cast<std::size_t>(i) % fixed.size()]);
            continue;
        }
        std::string noise(random() % 1400, '\0');
        for (char& c : noise) c = static_cast<char>(random());
        datagrams.push_back(noise);
    }
    return datagrams;
}

int Usage() {
    std::fputs("usage: source_sender radioinfo PORT RADIO TENS [TX_TENS [NAME]] | "
               "wsjtx-status PORT HZ [SCHEMA] | wsjtx-heartbeat PORT | hostile PORT COUNT | "
               "flrig-set PORT HZ\n",
               stderr);
    return 2;
}

std::uint64_t Number(const char* text) {
    return std::strtoull(text, nullptr, 10);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string verb = argv[1];
    const char* port = argv[2];
    if (verb == "radioinfo" && argc >= 5 && argc <= 7) {
        const std::uint64_t tens = Number(argv[4]);
        const RadioInfoFields fields =
            Radio(static_cast<int>(Number(argv[3])), tens, argc >= 6 ? Number(argv[5]) : tens,
                  false, argc >= 7 ? argv[6] : "IC-7300");
        return SendDatagrams(port, {RadioInfoDatagram(fields)});
    }
    if (verb == "wsjtx-status" && (argc == 4 || argc == 5)) {
        const auto schema = static_cast<std::uint32_t>(argc == 5 ? Number(argv[4]) : 2);
        return SendDatagrams(port, {WsjtxStatus(Number(argv[3]), false, schema)});
    }
    if (verb == "wsjtx-heartbeat" && argc == 3) return SendDatagrams(port, {WsjtxHeartbeat()});
    if (verb == "hostile" && argc == 4) {
        return SendDatagrams(port, Hostile(static_cast<int>(Number(argv[3]))));
    }
    if (verb == "flrig-set" && argc == 4) return FlrigSetVfo(Port(port), Number(argv[3])) ? 0 : 1;
    return Usage();
}

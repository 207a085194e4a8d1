// The readers of the pushed sources against datagrams as their programs document them.
#include <gtest/gtest.h>

#include "bands/radio_info.h"
#include "bands/tests/source_datagrams.h"
#include "bands/wsjtx_message.h"

namespace torvik::bands {
namespace {

using testing::RadioInfoDatagram;
using testing::RadioInfoFields;

TEST(RadioInfoTest, ReadsBothRadiosOfATwoRadioStationAndASplitTransmitFrequency) {
    const std::optional<RadioInfo> first = ReadRadioInfo(RadioInfoDatagram({}));
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, (RadioInfo{1, 14074000, 14074000, false, false}));

    RadioInfoFields second = testing::Radio(2, 351234, 351234, true, "FT-991");
    EXPECT_EQ(*ReadRadioInfo(RadioInfoDatagram(second)),
              (RadioInfo{2, 3512340, 3512340, true, false}));

    RadioInfoFields split = testing::Radio(1, 1419500, 1420500, false, "IC-7300");
    const std::optional<RadioInfo> listening = ReadRadioInfo(RadioInfoDatagram(split));
    ASSERT_TRUE(listening);
    EXPECT_EQ(listening->hz, 14195000u);
    EXPECT_EQ(listening->txHz, 14205000u);
}

TEST(RadioInfoTest, NoRadioAtTheLoggersStartOrInManualAndBooleansInAnyCase) {
    EXPECT_TRUE(ReadRadioInfo(RadioInfoDatagram(testing::Radio(1, 0, 0, false, "IC-7300")))->noRadio);
    EXPECT_TRUE(ReadRadioInfo(RadioInfoDatagram(testing::Radio(1, 1407400, 1407400, false, "Manual")))->noRadio);
    RadioInfoFields lower;
    lower.transmittingText = "true";
    EXPECT_TRUE(ReadRadioInfo(RadioInfoDatagram(lower))->transmitting);
    lower.transmittingText = "FALSE";
    EXPECT_FALSE(ReadRadioInfo(RadioInfoDatagram(lower))->transmitting);
    EXPECT_FALSE(ReadRadioInfo(RadioInfoDatagram(lower))->noRadio);
}

TEST(RadioInfoTest, RefusesWhatIsNotAWholeSmallRadioInfoWithNumbersThatFit) {
    const std::string good = RadioInfoDatagram({});
    const auto with = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    RadioInfoFields yes;
    yes.transmittingText = "yes";
    const std::string refused[] = {
        "",
        good.substr(0, good.size() / 2),
        "<Other><Freq>1407400</Freq></Other>",
        "<RadioInfo><RadioNr>1</RadioNr></RadioInfo>",
        with("<Freq>1407400", "<Freq>-1407400"),
        with("<Freq>1407400", "<Freq>14074.00"),
        with("<Freq>1407400", "<Freq>99999999999999999999999"),
        with("<Freq>1407400", "<Freq>100000000000"),
        with("<TXFreq>1407400", "<TXFreq>1e9"),
        with("<RadioNr>1", "<RadioNr>0"),
        RadioInfoDatagram(yes),
        with("</RadioInfo>", "<RadioName>" + std::string(70000, 'x') + "</RadioName></RadioInfo>"),
        "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
        "<RadioInfo><Freq>1407400</Freq><RadioName>&b;</RadioName></RadioInfo>",
        with("<?xml version=\"1.0\" encoding=\"utf-8\"?>",
             "<?xml version=\"1.0\" encoding=\"x-unknown\"?>"),
    };
    for (const std::string& datagram : refused) {
        EXPECT_FALSE(ReadRadioInfo(datagram)) << datagram.substr(0, 200);
    }
    EXPECT_TRUE(ReadRadioInfo(with("<Freq>1407400", "<Freq>99999999999")));
}

TEST(WsjtxMessageTest, ReadsTheStatusOfSchemaTwoAndThreeAndTheHeartbeat) {
    for (std::uint32_t schema : {2u, 3u}) {
        const std::optional<WsjtxMessage> status =
            ReadWsjtxMessage(testing::WsjtxStatus(7074000, true, schema));
        ASSERT_TRUE(status) << schema;
        EXPECT_EQ(*status, (WsjtxMessage{WsjtxMessage::Type::kStatus, 7074000, true}));
    }
    EXPECT_FALSE(ReadWsjtxMessage(testing::WsjtxStatus(14074000, false))->transmitting);
    EXPECT_EQ(ReadWsjtxMessage(testing::WsjtxHeartbeat())->type, WsjtxMessage::Type::kHeartbeat);
    // A Decode (type 2) and a type from a newer version: read as "other".
    EXPECT_EQ(ReadWsjtxMessage(testing::WsjtxHeader(2).Bool(true).bytes)->type,
              WsjtxMessage::Type::kOther);
    EXPECT_EQ(ReadWsjtxMessage(testing::WsjtxHeader(99).bytes)->type, WsjtxMessage::Type::kOther);
}

TEST(WsjtxMessageTest, RefusesAWrongMagicOrSchemaATruncationAndALengthPastTheEnd) {
    const std::string status = testing::WsjtxStatus(14074000, false);
    std::string magic = status;
    magic[0] = 0;
    EXPECT_FALSE(ReadWsjtxMessage(magic));
    for (std::uint32_t schema : {0u, 1u, 4u}) {
        EXPECT_FALSE(ReadWsjtxMessage(testing::WsjtxStatus(14074000, false, schema))) << schema;
    }
    // Cut anywhere before Decoding's byte: refused; the fields after it are not needed.
    const std::size_t needed = 12 + 4 + 6 + 8 + (4 + 3) + (4 + 6) + (4 + 3) + (4 + 3) + 3;
    for (std::size_t length = 0; length < needed; ++length) {
        EXPECT_FALSE(ReadWsjtxMessage(std::string_view(status).substr(0, length))) << length;
    }
    EXPECT_TRUE(ReadWsjtxMessage(std::string_view(status).substr(0, needed)));

    std::string past = status;
    past[12 + 4 + 6 + 8 + 3] = 100;  // Mode's length: 100 bytes where there are fewer
    past.resize(12 + 4 + 6 + 8 + 4 + 50);
    EXPECT_FALSE(ReadWsjtxMessage(past));
    EXPECT_FALSE(ReadWsjtxMessage(testing::WsjtxStatus(1'000'000'000'000, false)));
    EXPECT_FALSE(ReadWsjtxMessage(testing::WsjtxStatus(~0ull, false)));
}

}  // namespace
}  // namespace torvik::bands

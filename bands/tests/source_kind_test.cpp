#include "bands/source_kind.h"

#include <gtest/gtest.h>

namespace torvik::bands {
namespace {

TEST(SourceKindTest, EachKindParsesToItsStoredTextAndBack) {
    struct Case {
        const char* typed;
        SourceKind kind;
        const char* stored;
        int radio;
    };
    const Case cases[] = {
        {"192.168.1.20:4532", SourceKind::kRigctld, "192.168.1.20:4532", 1},
        {"rigctld:localhost:7356", SourceKind::kRigctld, "127.0.0.1:7356", 1},
        {"RIGCTLD", SourceKind::kRigctld, "127.0.0.1:4532", 1},
        {"flrig", SourceKind::kFlrig, "flrig:127.0.0.1:12345", 1},
        {"flrig:10.0.0.5:12346", SourceKind::kFlrig, "flrig:10.0.0.5:12346", 1},
        {"radioinfo", SourceKind::kRadioInfo, "radioinfo:12060", 1},
        {"radioinfo:12061:2", SourceKind::kRadioInfo, "radioinfo:12061:2", 2},
        {"radioinfo:0.0.0.0:12060", SourceKind::kRadioInfo, "radioinfo:0.0.0.0:12060", 1},
        {"radioinfo:192.168.1.3:12060:2", SourceKind::kRadioInfo,
         "radioinfo:192.168.1.3:12060:2", 2},
        {"wsjtx", SourceKind::kWsjtx, "wsjtx:2237", 1},
        {"WsjtX:localhost:2238", SourceKind::kWsjtx, "wsjtx:2238", 1},
    };
    for (const Case& c : cases) {
        const Checked<FrequencySource> chosen = ParseSource(c.typed);
        ASSERT_TRUE(chosen) << c.typed << ": " << chosen.error;
        EXPECT_EQ(chosen.value->kind, c.kind) << c.typed;
        EXPECT_EQ(chosen.value->radio, c.radio) << c.typed;
        EXPECT_EQ(chosen.value->Text(), c.stored) << c.typed;
        EXPECT_EQ(*ParseSource(chosen.value->Text()).value, *chosen.value) << c.typed;
    }
    EXPECT_TRUE(ParseSource("radioinfo:12060").value->Pushed());
    EXPECT_FALSE(ParseSource("flrig").value->Pushed());
}

TEST(SourceKindTest, RefusesWhatNamesNoSourceWithTheFormsInTheMessage) {
    for (const char* bad : {"", "flrig:12345", "flrig:127.0.0.1:0", "wsjtx:2237:1",
                            "radioinfo:12060:0", "radioinfo:12060:10", "radioinfo:1.2.3.4",
                            "radioinfo:70000", "hamlib:127.0.0.1:4532", "127.0.0.1",
                            "rigctld:127.0.0.1:4532:1", "wsjtx:", "radioinfo::2"}) {
        const Checked<FrequencySource> chosen = ParseSource(bad);
        EXPECT_FALSE(chosen) << bad;
        EXPECT_NE(chosen.error.find("wsjtx[:[IP:]PORT]"), std::string::npos) << bad;
    }
}

TEST(SourceKindTest, ALoopbackListenerHearsThisMachineOnly) {
    const std::uint8_t local[4] = {127, 0, 0, 1};
    const std::uint8_t other[4] = {192, 168, 1, 7};
    EXPECT_TRUE(AcceptsSender(*ParseSource("wsjtx").value, local));
    EXPECT_FALSE(AcceptsSender(*ParseSource("wsjtx").value, other));
    EXPECT_TRUE(AcceptsSender(*ParseSource("wsjtx:0.0.0.0:2237").value, other));
}

}  // namespace
}  // namespace torvik::bands

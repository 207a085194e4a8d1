#include "bands/band_rules.h"

#include <gtest/gtest.h>

namespace torvik::bands {
namespace {

TEST(BandRules, RulesFromTypedTextAreCheckedWithAMessageNamingTheField) {
    const Checked<BandRule> good = MakeRule("1800000", "2000000", "1");
    ASSERT_TRUE(good) << good.error;
    EXPECT_EQ(*good.value, (BandRule{1800000, 2000000, 1}));

    struct Case { const char* from; const char* to; const char* mask; const char* says; };
    const Case bad[] = {
        {"7300000", "7000000", "2", "lies above"},
        {"7.1", "7300000", "2", "from: '7.1' is not a frequency"},
        {"-5", "7300000", "2", "from: '-5'"},
        {"7000000", "7e6", "2", "to: '7e6'"},
        {"7000000", "", "2", "to: ''"},
        {"7000000", "1000000000000", "2", "at most 999999999999"},
        {"7000000", "7300000", "8", "mask: '8' is not an antenna mask"},
        {"7000000", "7300000", "0x3", "mask: '0x3'"},
        {" 7000000", "7300000", "2", "from: ' 7000000'"},
    };
    for (const Case& c : bad) {
        const Checked<BandRule> rule = MakeRule(c.from, c.to, c.mask);
        EXPECT_FALSE(rule) << c.from << " " << c.to << " " << c.mask;
        EXPECT_NE(rule.error.find(c.says), std::string::npos) << rule.error;
    }
    EXPECT_TRUE(MakeRule("7000000", "7000000", "0")) << "a single frequency and mask 0 are fine";
}

TEST(BandRules, StoredTextRoundTripsAndAnOverlongValueIsCutInTheMessage) {
    const BandRule rule{14000000, 14350000, 5};
    EXPECT_EQ(RuleText(rule), "14000000,14350000,5");
    EXPECT_EQ(*ParseRuleText(RuleText(rule)).value, rule);
    EXPECT_FALSE(ParseRuleText("14000000,14350000"));
    EXPECT_FALSE(ParseRuleText("14000000,14350000,5,1"));
    const Checked<BandRule> novel = ParseRuleText(std::string(500, 'x') + ",1,1");
    EXPECT_LT(novel.error.size(), 120u);
}

TEST(BandRules, SourceAddressesAreNumericIpv4WithAPort) {
    EXPECT_EQ(ParseSourceAddress("127.0.0.1:4532").value->Text(), "127.0.0.1:4532");
    EXPECT_EQ(ParseSourceAddress("localhost:7356").value->Text(), "127.0.0.1:7356");
    EXPECT_EQ(ParseSourceAddress("192.168.1.20:65535").value->Text(), "192.168.1.20:65535");
    for (const char* bad : {"", "127.0.0.1", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536",
                            "127.0.0.1:000004532", "256.0.0.1:4532", "1.2.3:4532",
                            "1.2.3.4.5:4532", "1..2.3:4532", "rig.local:4532", "[::1]:4532",
                            "127.0.0.1:45 32"}) {
        const Checked<SourceAddress> address = ParseSourceAddress(bad);
        EXPECT_FALSE(address) << bad;
        EXPECT_NE(address.error.find("127.0.0.1:4532"), std::string::npos);
    }
}

TEST(BandRules, FirstRuleWinsAndOverlapsAreNamed) {
    const std::vector<BandRule> rules{{7000000, 7300000, 2}, {7200000, 7500000, 4},
                                      {10000000, 10100000, 1}};
    EXPECT_EQ(FindRule(rules, 7250000), 0u);
    EXPECT_EQ(FindRule(rules, 7400000), 1u);
    EXPECT_EQ(FindRule(rules, 7500000), 1u) << "to is inclusive";
    EXPECT_FALSE(FindRule(rules, 9000000));
    const std::vector<std::string> notes = OverlapNotes(rules);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], "rules 1 and 2 overlap; the first wins, rule 1 from 7200000 to 7300000 Hz");
}

TEST(BandRules, MegahertzAreRoundedToTheKilohertz) {
    EXPECT_EQ(MegahertzText(7074000), "7.074 MHz");
    EXPECT_EQ(MegahertzText(7100499), "7.100 MHz");
    EXPECT_EQ(MegahertzText(7100500), "7.101 MHz");
    EXPECT_EQ(MegahertzText(145000000), "145.000 MHz");
    EXPECT_EQ(MegahertzText(999), "0.001 MHz");
}

}  // namespace
}  // namespace torvik::bands

#include "bands/band_store.h"

#include <gtest/gtest.h>

#include "core/profile_encoding.h"
#include "tests/fakes/temp_folder.h"

namespace torvik::bands {
namespace {

using torvik::testing::ReadBytes;
using torvik::testing::TempFolder;
using torvik::testing::WriteBytes;

const std::string kKeyset = "[A1MIRVAX8_KEYSET]\r\nANTENNA-1=0\r\nANTENNA-2=1\r\nCONFIG=00AB\r\n";

TEST(BandStore, APlanRoundTripsBesideAnUntouchedKeysetSection) {
    TempFolder folder;
    const std::string ini = folder.File("Torvik.ini");
    WriteBytes(ini, kKeyset);
    const std::string section = BandsSectionName("A1MIRVAX8");
    EXPECT_EQ(section, "A1MIRVAX8_BANDS");

    const BandPlan plan{true, "192.168.1.5:4533", {{1800000, 2000000, 1}, {3500000, 30000000, 2}}};
    ASSERT_TRUE(SavePlan(ini, section, plan));
    const std::string text = ReadBytes(ini);
    EXPECT_EQ(text.substr(0, kKeyset.size()), kKeyset);
    EXPECT_NE(text.find("[A1MIRVAX8_BANDS]\r\nFOLLOW=1\r\nSOURCE=192.168.1.5:4533\r\n"
                        "RULE-1=1800000,2000000,1\r\nRULE-2=3500000,30000000,2\r\n"),
              std::string::npos)
        << text;
    const LoadedPlan loaded = LoadPlan(ini, section);
    EXPECT_EQ(loaded.plan, plan);
    EXPECT_TRUE(loaded.problems.empty());

    // Fewer rules: the keys of the dropped ones are emptied, the keyset stays as it was.
    ASSERT_TRUE(SavePlan(ini, section, BandPlan{false, plan.source, {plan.rules[1]}}));
    const LoadedPlan shorter = LoadPlan(ini, section);
    EXPECT_EQ(shorter.plan.rules, std::vector<BandRule>{plan.rules[1]});
    EXPECT_FALSE(shorter.plan.follow);
    EXPECT_NE(ReadBytes(ini).find("RULE-2=\r\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(ini).substr(0, kKeyset.size()), kKeyset);
}

TEST(BandStore, AUtf16FileIsReadAndStaysUtf16) {
    TempFolder folder;
    const std::string ini = folder.File("Torvik.ini");
    const std::string text = kKeyset + "[S_BANDS]\r\nFOLLOW=1\r\nRULE-1=1,2,4\r\n";
    WriteBytes(ini, profile::EncodeFile(text, profile::FileEncoding::kUtf16Le));
    const LoadedPlan loaded = LoadPlan(ini, "S_BANDS");
    EXPECT_TRUE(loaded.plan.follow);
    ASSERT_EQ(loaded.plan.rules, std::vector<BandRule>{(BandRule{1, 2, 4})});

    ASSERT_TRUE(SavePlan(ini, "S_BANDS", BandPlan{}));
    const profile::DecodedFile saved = profile::DecodeFile(ReadBytes(ini));
    EXPECT_EQ(saved.encoding, profile::FileEncoding::kUtf16Le);
    EXPECT_EQ(saved.text.substr(0, kKeyset.size()), kKeyset);
    EXPECT_NE(saved.text.find("RULE-1=\r\n"), std::string::npos) << "the old rule emptied";
}

TEST(BandStore, AMissingFileGivesTheDefaultsAndIsNotCreated) {
    TempFolder folder;
    const std::string ini = folder.File("Torvik.ini");
    const LoadedPlan loaded = LoadPlan(ini, "X_BANDS");
    EXPECT_EQ(loaded.plan, BandPlan{});
    EXPECT_EQ(loaded.plan.source, "127.0.0.1:4532");
    EXPECT_FALSE(std::filesystem::exists(ini));
}

TEST(BandStore, HandEditedDamageIsReportedPerKeyAndTheGoodRulesStay) {
    TempFolder folder;
    const std::string ini = folder.File("Torvik.ini");
    std::string text = "[S_BANDS]\nFOLLOW=yes\nRULE-1=7300000,7000000,2\nRULE-2=abc,1,1\n"
                       "RULE-3=7000000,7300000,9\nRULE-4=14000000,14350000,4\n";
    for (int n = 5; n <= 17; ++n) text += "RULE-" + std::to_string(n) + "=1,2,1\n";
    WriteBytes(ini, text);
    const LoadedPlan loaded = LoadPlan(ini, "S_BANDS");
    EXPECT_FALSE(loaded.plan.follow) << "a switch without digits reads as off";
    ASSERT_EQ(loaded.plan.rules.size(), 13u);
    EXPECT_EQ(loaded.plan.rules[0], (BandRule{14000000, 14350000, 4}));
    ASSERT_EQ(loaded.problems.size(), 4u);
    EXPECT_NE(loaded.problems[0].find("RULE-1 ignored: from 7300000 Hz lies above"),
              std::string::npos);
    EXPECT_NE(loaded.problems[1].find("RULE-2 ignored"), std::string::npos);
    EXPECT_NE(loaded.problems[2].find("RULE-3 ignored: mask"), std::string::npos);
    EXPECT_EQ(loaded.problems[3], "RULE-17 ignored: at most 16 rules");

    // Saving what was loaded leaves no rule past 16 behind.
    ASSERT_TRUE(SavePlan(ini, "S_BANDS", loaded.plan));
    const LoadedPlan again = LoadPlan(ini, "S_BANDS");
    EXPECT_TRUE(again.problems.empty());
    EXPECT_EQ(again.plan.rules, loaded.plan.rules);
}

TEST(BandStore, UnstorableValuesLeaveTheFileAsItWas) {
    TempFolder folder;
    const std::string ini = folder.File("Torvik.ini");
    WriteBytes(ini, kKeyset);
    for (const std::string& source : {std::string("1.2.3.4:5\r\nFOLLOW=1"),
                                      std::string("1.2.3.4:5\n"), std::string("a\0b", 3)}) {
        EXPECT_FALSE(SavePlan(ini, "A1MIRVAX8_BANDS", BandPlan{true, source, {}}));
        EXPECT_EQ(ReadBytes(ini), kKeyset);
    }
    BandPlan tooMany;
    tooMany.rules.assign(17, BandRule{1, 2, 1});
    EXPECT_FALSE(SavePlan(ini, "A1MIRVAX8_BANDS", tooMany));
    EXPECT_EQ(ReadBytes(ini), kKeyset);
}

}  // namespace
}  // namespace torvik::bands

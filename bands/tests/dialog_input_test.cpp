#include "bands/dialog_input.h"

#include <gtest/gtest.h>

namespace torvik::bands {
namespace {

TEST(DialogInput, TheRulesBlockRoundTripsAndOverlapsAreNoted) {
    const std::vector<BandRule> rules{{1800000, 2000000, 1}, {1900000, 30000000, 2}};
    const std::string block = RulesBlock(rules);
    EXPECT_EQ(block, "1800000 2000000 1\n1900000 30000000 2\n");
    const DialogCheck check = CheckDialogInput(true, " localhost:4532\t", "\r\n" + block + "  \n");
    ASSERT_TRUE(check.plan) << check.error;
    EXPECT_EQ(check.plan->rules, rules);
    EXPECT_EQ(check.plan->source, "127.0.0.1:4532");
    ASSERT_EQ(check.notes.size(), 1u);
    EXPECT_NE(check.notes[0].find("the first wins"), std::string::npos);
}

TEST(DialogInput, EveryMistakeNamesItsFieldOrLine) {
    struct Case { const char* source; std::string rules; const char* says; };
    std::string seventeen;
    for (int i = 0; i < 17; ++i) seventeen += "1 2 1\n";
    const Case cases[] = {
        {"rig:4532", "", "Source: 'rig:4532' is not a source"},
        {"127.0.0.1:4532", "1800000 2000000 1\n\n7300000 7000000 2", "Rules, line 3: from 7300000"},
        {"127.0.0.1:4532", "1800000 2000000", "Rules, line 1: give FROM TO MASK"},
        {"127.0.0.1:4532", "1,8 2000000 1", "Rules, line 1: from: '1,8'"},
        {"127.0.0.1:4532", "1800000 2000000 12", "Rules, line 1: mask: '12'"},
        {"127.0.0.1:4532", seventeen, "Rules, line 17: at most 16 rules"},
    };
    for (const Case& c : cases) {
        const DialogCheck check = CheckDialogInput(false, c.source, c.rules);
        EXPECT_FALSE(check.plan) << c.says;
        EXPECT_EQ(check.error.rfind(c.says, 0), 0u) << check.error;
    }
}

// The notes under the rules: the person's own mistake or overlaps come first; what was wrong in
// the stored file shows only while the fields themselves are good.
TEST(DialogInput, NotesPutTheFieldsBeforeTheFile) {
    const std::vector<std::string> problems{"RULE-3: mask: '9'", "RULE-20: no such rule"};
    const DialogCheck bad = CheckDialogInput(true, "127.0.0.1:4532", "1 2 12");
    EXPECT_EQ(NotesText(bad, problems), bad.error);
    const DialogCheck overlapping = CheckDialogInput(true, "127.0.0.1:4532", "1 10 1\n5 20 2\n2 3 4");
    ASSERT_EQ(overlapping.notes.size(), 2u);
    EXPECT_EQ(NotesText(overlapping, problems), overlapping.notes[0] + "\n" + overlapping.notes[1]);
    const DialogCheck good = CheckDialogInput(true, "127.0.0.1:4532", "1 2 1");
    EXPECT_EQ(NotesText(good, problems),
              "In Torvik.ini: RULE-3: mask: '9'\nRULE-20: no such rule");
    EXPECT_EQ(NotesText(good, {}), "");
}

}  // namespace
}  // namespace torvik::bands

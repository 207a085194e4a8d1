#include "bands/rig_answer.h"

#include <gtest/gtest.h>

namespace torvik::bands {
namespace {

using Kind = RigAnswer::Kind;

TEST(RigAnswer, LinesReadAsFrequencyErrorOrUnreadable) {
    EXPECT_EQ(ParseAnswerLine("7100000"), (RigAnswer{Kind::kFrequency, 7100000, 0}));
    EXPECT_EQ(ParseAnswerLine("7100000\r"), (RigAnswer{Kind::kFrequency, 7100000, 0}));
    EXPECT_EQ(ParseAnswerLine("7100000.000000"), (RigAnswer{Kind::kFrequency, 7100000, 0}));
    EXPECT_EQ(ParseAnswerLine("RPRT -11"), (RigAnswer{Kind::kError, 0, -11}));
    EXPECT_EQ(ParseAnswerLine("RPRT x").kind, Kind::kError);
    for (const char* bad : {"", "-7100000", "+7100000", "7100000.5", "7.1e6", "0x6C5A60",
                            "7100000 Hz", " 7100000", "1000000000000", "99999999999999999999999",
                            "Frequency: 7100000", "."}) {
        EXPECT_EQ(ParseAnswerLine(bad).kind, Kind::kUnreadable) << bad;
    }
}

TEST(RigAnswer, ReaderJoinsSplitLinesAndBoundsOverlongOnes) {
    RigAnswerReader reader;
    std::vector<RigAnswer> answers;
    reader.Feed("71", answers);
    reader.Feed("000", answers);
    EXPECT_TRUE(answers.empty()) << "no answer before the line end";
    reader.Feed("00\r\n14074000\n", answers);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].hz, 7100000u);
    EXPECT_EQ(answers[1].hz, 14074000u);

    // 65 zeros then a digit: too long although each piece is short; the next line reads well.
    answers.clear();
    const std::string longLine(64, '0');
    reader.Feed(longLine, answers);
    reader.Feed("07\n3500000\n", answers);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].kind, Kind::kUnreadable);
    EXPECT_EQ(answers[1].hz, 3500000u);

    // A flood without a line end never grows the reader.
    answers.clear();
    for (int i = 0; i < 10000; ++i) reader.Feed(std::string(1000, '7'), answers);
    EXPECT_LE(reader.Pending(), RigAnswerReader::kMaxLine + 1);
    reader.Feed("\n", answers);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].kind, Kind::kUnreadable);

    // Exactly 64 bytes is taken, 65 are not, a CR before the line end aside.
    answers.clear();
    reader.Feed(std::string(57, '0') + "7100000\r\n", answers);
    reader.Feed(std::string(58, '0') + "7100000\n", answers);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].hz, 7100000u);
    EXPECT_EQ(answers[1].kind, Kind::kUnreadable);
}

}  // namespace
}  // namespace torvik::bands

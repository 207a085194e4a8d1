#include "core/ini_text.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace torvik::profile {
namespace {

using namespace std::string_literals;

std::string Find(std::string_view text, std::string_view section, std::string_view key) {
    const auto value = FindValue(text, section, key);
    return value ? std::string(*value) : "<absent>";
}

TEST(IniTextFind, MatchesNamesWithoutRegardToCaseAndTrimsValues) {
    const std::string text = "[A1_KeySet]\r\n  Antenna-1 =  1 \t\r\nswitchmixer=0\r\n";
    EXPECT_EQ(Find(text, "A1_KEYSET", "ANTENNA-1"), "1");
    EXPECT_EQ(Find(text, "a1_keyset", "SWITCHMIXER"), "0");
    EXPECT_EQ(Find(text, "A1_KEYSET", "ANTENNA-2"), "<absent>");
    EXPECT_EQ(Find(text, "B2_KEYSET", "ANTENNA-1"), "<absent>");
    EXPECT_EQ(Find("", "A1_KEYSET", "ANTENNA-1"), "<absent>");
}

TEST(IniTextFind, ReadsOnlyRealKeyLinesOfTheFirstSectionOfTheName) {
    const std::string text =
        "K=outside\n"
        "[ S ]\n"
        "; K=comment\n"
        "K\n"
        "K=first\n"
        "K=second\n"
        "[Other]\n"
        "L=other\n"
        "[s]\n"
        "K=duplicate section\n"
        "M=only in duplicate\n";
    EXPECT_EQ(Find(text, "S", "K"), "first");
    EXPECT_EQ(Find(text, "S", "M"), "<absent>");
    EXPECT_EQ(Find(text, "S", "L"), "<absent>");
    EXPECT_EQ(Find(text, "Other", "L"), "other");
    EXPECT_EQ(Find(text, "S", "; K"), "<absent>");
}

TEST(IniTextFind, CopesWithOddLineEndingsBomNulAndEmptyValues) {
    EXPECT_EQ(Find("[S]\nK=v", "S", "K"), "v");                         // no final newline
    EXPECT_EQ(Find("\xEF\xBB\xBF[S]\r\nK=v\r\n", "S", "K"), "v");        // UTF-8 BOM
    EXPECT_EQ(Find("[S]\r\nK=\r\n", "S", "K"), "");
    EXPECT_EQ(Find("[S]\r\nK=a=b\r\n", "S", "K"), "a=b");
    EXPECT_EQ(Find("[S]\r\nA=\0x\r\nK=v\r\n"s, "S", "A"), "\0x"s);
    EXPECT_EQ(Find("[S]\r\nA=\0x\r\nK=v\r\n"s, "S", "K"), "v");
    EXPECT_EQ(Find("[S\r\nK=v\r\n", "S", "K"), "<absent>");  // not a header without ']'
    EXPECT_EQ(Find("[a]b]\r\nK=v\r\n", "a]b", "K"), "v");     // name runs to the last ']'
}

TEST(IniTextSet, ChangesOnlyTheValueOfAnExistingKey) {
    const std::string text =
        "; settings\r\n"
        "[A1_KEYSET]\r\n"
        "ANTENNA-1=1\r\n"
        "\r\n"
        "  Antenna-2 = 0\r\n"
        "[B2_KEYSET]\r\n"
        "ANTENNA-2=7\r\n";
    EXPECT_EQ(SetValue(text, "a1_keyset", "ANTENNA-2", "1"),
              "; settings\r\n"
              "[A1_KEYSET]\r\n"
              "ANTENNA-1=1\r\n"
              "\r\n"
              "  Antenna-2 =1\r\n"
              "[B2_KEYSET]\r\n"
              "ANTENNA-2=7\r\n");
}

TEST(IniTextSet, PutsNewKeysAfterTheLastKeyLineAndNewSectionsAtTheEnd) {
    const std::string text =
        "[A]\r\n"
        "X=1\r\n"
        "; trailing comment\r\n"
        "\r\n"
        "[B]\r\n"
        "; only a comment\r\n";
    EXPECT_EQ(SetValue(text, "A", "Y", "2"),
              "[A]\r\nX=1\r\nY=2\r\n; trailing comment\r\n\r\n[B]\r\n; only a comment\r\n");
    EXPECT_EQ(SetValue(text, "B", "Y", "2"),
              "[A]\r\nX=1\r\n; trailing comment\r\n\r\n[B]\r\nY=2\r\n; only a comment\r\n");
    EXPECT_EQ(SetValue(text, "C", "Y", "2"), text + "[C]\r\nY=2\r\n");
    EXPECT_EQ(SetValue("", "C", "Y", "2"), "[C]\r\nY=2\r\n");
}

TEST(IniTextSet, UpdatesOnlyTheFirstOfDuplicateKeysAndSections) {
    const std::string text = "[S]\r\nK=1\r\nK=2\r\n[S]\r\nK=3\r\n";
    EXPECT_EQ(SetValue(text, "S", "K", "9"), "[S]\r\nK=9\r\nK=2\r\n[S]\r\nK=3\r\n");
    EXPECT_EQ(SetValue(text, "S", "N", "9"), "[S]\r\nK=1\r\nK=2\r\nN=9\r\n[S]\r\nK=3\r\n");
}

TEST(IniTextSet, WritesEveryLineWithCrlfAndKeepsTheBom) {
    EXPECT_EQ(SetValue("[S]\nK=1\n; note", "S", "K", "2"), "[S]\r\nK=2\r\n; note\r\n");
    EXPECT_EQ(SetValue("\xEF\xBB\xBF[S]\nK=1\n", "S", "K", "2"), "\xEF\xBB\xBF[S]\r\nK=2\r\n");
    EXPECT_EQ(SetValue("[S]\r\nA=\0\r\n"s, "S", "K", "2"), "[S]\r\nA=\0\r\nK=2\r\n"s);
}

TEST(IniTextStorable, RefusesWhatWouldNotReadBack) {
    EXPECT_TRUE(IsStorableSection("A1_KEYSET"));
    EXPECT_FALSE(IsStorableSection(""));
    EXPECT_FALSE(IsStorableSection(" A"));
    EXPECT_FALSE(IsStorableSection("A\nB"));
    EXPECT_TRUE(IsStorableKey("ANTENNA-1"));
    EXPECT_FALSE(IsStorableKey("A=B"));
    EXPECT_FALSE(IsStorableKey(";A"));
    EXPECT_FALSE(IsStorableKey("[A]"));
    EXPECT_FALSE(IsStorableKey("A\0"s));
    EXPECT_TRUE(IsStorableValue(""));
    EXPECT_TRUE(IsStorableValue(" a = b "));
    EXPECT_FALSE(IsStorableValue("a\rb"));
}

TEST(IniTextUnquote, RemovesOneMatchingPair) {
    EXPECT_EQ(Unquote("\"a b\""), "a b");
    EXPECT_EQ(Unquote("'a'"), "a");
    EXPECT_EQ(Unquote("\"\"x\"\""), "\"x\"");
    EXPECT_EQ(Unquote("\"a'"), "\"a'");
    EXPECT_EQ(Unquote("\""), "\"");
}

TEST(IniTextParseInt, TakesLeadingDigitsLikeTheWindowsIntegerRead) {
    EXPECT_EQ(ParseInt("12abc"), 12);
    EXPECT_EQ(ParseInt("  -5"), -5);
    EXPECT_EQ(ParseInt("+7"), 7);
    EXPECT_EQ(ParseInt("0x1F"), 31);
    EXPECT_EQ(ParseInt("-0x10"), -16);
    EXPECT_EQ(ParseInt("0x"), 0);
    EXPECT_EQ(ParseInt("0xg"), 0);
    EXPECT_EQ(ParseInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseInt("2147483648"), INT_MIN);
    EXPECT_EQ(ParseInt("4294967297"), 1);
    EXPECT_EQ(ParseInt(std::string(10000, '9')).has_value(), true);
    EXPECT_FALSE(ParseInt("abc"));
    EXPECT_FALSE(ParseInt(""));
    EXPECT_FALSE(ParseInt("-"));
    EXPECT_FALSE(ParseInt("- 1"));
}

}  // namespace
}  // namespace torvik::profile

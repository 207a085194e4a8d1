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

TEST(IniTextFind, ReadsOnlyTheFirstKeyLineOfTheFirstSectionOfTheName) {
    const std::string text =
        "K=outside\n"
        "[ S ]\n"
        "; K=comment\n"
        "L\n"
        "L=hidden by the line without '='\n"
        "K=first\n"
        "K=second\n"
        "[Other]\n"
        "M=other\n"
        "[s]\n"
        "K=duplicate section\n"
        "N=only in duplicate\n";
    EXPECT_EQ(Find(text, "S", "K"), "first");
    EXPECT_EQ(Find(text, "S", "L"), "<absent>");
    EXPECT_EQ(Find(text, "S", "N"), "<absent>");
    EXPECT_EQ(Find(text, "S", "M"), "<absent>");
    EXPECT_EQ(Find(text, "Other", "M"), "other");
    EXPECT_EQ(Find(text, " s\t", " k "), "first");  // requested names are trimmed too
    EXPECT_EQ(Find(text, "S", "; K"), "comment");    // a comment is a key to the platform
    EXPECT_EQ(Find(text, "", "K"), "outside");       // lines before the first header
}

TEST(IniTextFind, SplitsLinesAtCrOrLfAndTrimsLikeThePlatform) {
    EXPECT_EQ(Find("[S]\rK=v\rL=w", "S", "L"), "w");
    EXPECT_EQ(Find("[S]\n\r\n\rK=v", "S", "K"), "v");
    EXPECT_EQ(Find("\x1A[S]\x1A\r\n\x0B K \x0C= \tv v\x1A \r\n", "S", "K"), "v v");
    EXPECT_EQ(Find("[S]\r\nK=\xA0v\x1C\r\n", "S", "K"), "\xA0v\x1C");  // not spaces
    EXPECT_EQ(Find("[S]\r\n[]\r\nK=v\r\n", "", "K"), "<absent>");  // "" is the first section
    EXPECT_EQ(Find("[S]\r\n[T\r\nK=v\r\n", "S", "K"), "v");        // "[T" is a key line
    EXPECT_EQ(Find("[S]\r\n[T=1]x\r\nK=v\r\n", "T=1", "K"), "v");   // a header after all
}

TEST(IniTextFind, NamesAndValuesEndAtANul) {
    const std::string text = "[S\0x]\r\nK\0y=1\r\nV=a \0b\r\n\0W=2\r\n"s;
    EXPECT_EQ(Find(text, "S", "K"), "1");
    EXPECT_EQ(Find(text, "S", "V"), "a ");
    EXPECT_EQ(Find(text, "S", "W"), "<absent>");
    EXPECT_EQ(Find(text, "S\0z"s, "K"), "1");
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

TEST(IniTextSet, GivesAKeyWithoutValueItsValueInPlace) {
    EXPECT_EQ(SetValue("[S]\r\n  k \r\nK=old\r\n", "S", "K", "1"), "[S]\r\n  k =1\r\nK=old\r\n");
    EXPECT_EQ(SetValue("[S]\rA=1\rB", "S", "C", "2"), "[S]\r\nA=1\r\nB\r\nC=2\r\n");
}

TEST(IniTextUnquote, KeepsWhatABufferOfTheGivenSizeKeeps) {
    EXPECT_EQ(Unquote("\"abc\"", 5), "abc");
    EXPECT_EQ(Unquote("\"abcd\"", 5), "abc");   // closing quote cut off, and one more dropped
    EXPECT_EQ(Unquote("\"abcde\"", 5), "abcd");  // too long for the quote to be dropped
    EXPECT_EQ(Unquote("abcdef", 5), "abcd");
    EXPECT_EQ(Unquote("'a'", 1), "");
    EXPECT_EQ(Unquote("'a'", 0), "");
}

TEST(IniTextParseInt, TakesWhatTheIntegerReadTakes) {
    EXPECT_EQ(ParseInt("12abc"), 12);
    EXPECT_EQ(ParseInt("  -5"), -5);
    EXPECT_EQ(ParseInt("\x01\x1F+7"), 7);
    EXPECT_EQ(ParseInt("0x1F"), 31);
    EXPECT_EQ(ParseInt("-0x10"), -16);
    EXPECT_EQ(ParseInt("0o17"), 15);
    EXPECT_EQ(ParseInt("0b101"), 5);
    EXPECT_EQ(ParseInt("0b102"), 2);
    EXPECT_EQ(ParseInt("0X10"), 0);  // prefixes are lower case only
    EXPECT_EQ(ParseInt("0B1"), 0);
    EXPECT_EQ(ParseInt("0xg"), 0);
    EXPECT_EQ(ParseInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseInt("2147483648"), INT_MIN);
    EXPECT_EQ(ParseInt("4294967297"), 1);
    EXPECT_EQ(ParseInt("abc"), 0);
    EXPECT_EQ(ParseInt("- 1"), 0);
    EXPECT_EQ(ParseInt("\xA0" "1"), 0);
}

TEST(IniTextIntFromValue, GivesTheDefaultOnlyWithoutAValue) {
    EXPECT_EQ(IntFromValue(std::nullopt, 7), 7);
    EXPECT_EQ(IntFromValue("", 7), 7);
    EXPECT_EQ(IntFromValue("''", 7), 7);
    EXPECT_EQ(IntFromValue("abc", 7), 0);
    EXPECT_EQ(IntFromValue("\"4\"", 7), 4);
    // Only the first 29 characters are read.
    EXPECT_EQ(IntFromValue(std::string(28, '0') + "12", 7), 1);
    EXPECT_EQ(IntFromValue("\"" + std::string(27, '0') + "12\"", 7), 1);
    EXPECT_EQ(IntFromValue("\"" + std::string(26, '0') + "12\"", 7), 12);
}

}  // namespace
}  // namespace torvik::profile

#include "app/ctl_command.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvik::ctl {
namespace {

std::optional<Command> Parse(std::vector<std::string> arguments) {
    return ParseArguments(arguments);
}

TEST(CtlArguments, EachVerbWithoutArgumentsMakesItsCommand) {
    const struct {
        const char* word;
        Verb verb;
    } verbs[] = {
        {"get", Verb::Get},
        {"reload", Verb::Reload},
        {"hide", Verb::Hide},
        {"exit", Verb::Exit},
        {"show", Verb::Show},
    };
    for (const auto& expected : verbs) {
        const std::optional<Command> command = Parse({expected.word});
        ASSERT_TRUE(command) << expected.word;
        EXPECT_EQ(command->verb, expected.verb) << expected.word;
    }
    for (const char* help : {"--help", "-h", "help"}) {
        const std::optional<Command> command = Parse({help});
        ASSERT_TRUE(command) << help;
        EXPECT_EQ(command->verb, Verb::Help) << help;
    }
}

TEST(CtlArguments, SetCarriesItsMaskInDecimalOrHex) {
    const struct {
        const char* text;
        std::uint32_t mask;
    } masks[] = {{"0", 0}, {"5", 5}, {"15", 15}, {"007", 7}, {"0x2", 2}, {"0XB", 11},
                 {"0xf", 15}, {"0x00", 0}};
    for (const auto& expected : masks) {
        const std::optional<Command> command = Parse({"set", expected.text});
        ASSERT_TRUE(command) << expected.text;
        EXPECT_EQ(command->verb, Verb::Set) << expected.text;
        EXPECT_EQ(command->mask, expected.mask) << expected.text;
    }
}

TEST(CtlArguments, MasksOutsideFourBitsOrNotNumbersAreRefused) {
    for (const char* text : {"16", "0x10", "255", "4294967295", "4294967296",
                             "99999999999999999999", "-1", "+3", " 3", "3 ", "0x", "x3", "0x0x3",
                             "3a", "0xG", "", "nonsense", "1.0", "0b1"}) {
        EXPECT_FALSE(ParseMask(text)) << '"' << text << '"';
        EXPECT_FALSE(Parse({"set", text})) << '"' << text << '"';
    }
}

TEST(CtlArguments, MissingExtraOrUnknownArgumentsAreUsageErrors) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"set"},
        {"set", "1", "2"},
        {"get", "now"},
        {"exit", "0"},
        {"reload", "x"},
        {"hide", "hide"},
        {"--help", "get"},
        {"GET"},
        {"status"},
        {""},
        {"1"},
    };
    for (const auto& arguments : wrong) {
        std::string shown;
        for (const auto& argument : arguments) {
            shown += '[' + argument + ']';
        }
        EXPECT_FALSE(Parse(arguments)) << shown;
        // One line that says what was wrong, naming the offending word where there is one.
        const std::string error = ParseCommandLine(arguments).error;
        EXPECT_EQ(error.rfind("torvikctl: ", 0), 0u) << shown;
        EXPECT_EQ(error.find('\n'), std::string::npos) << shown;
        if (arguments.size() == 1 && !arguments[0].empty()) {
            EXPECT_NE(error.find(arguments[0]), std::string::npos) << shown << error;
        }
    }
    EXPECT_NE(ParseCommandLine({"set", "nonsense"}).error.find("'nonsense' is not a mask"),
              std::string::npos);
    EXPECT_TRUE(ParseCommandLine({"get"}).error.empty());
}

TEST(CtlAnswers, GetSplitsMaskAndCount) {
    EXPECT_EQ(FormatAnswer(Verb::Get, (5 << 16) | 3), "mask 5 count 3");
    EXPECT_EQ(FormatAnswer(Verb::Get, 0), "mask 0 count 0");
    EXPECT_EQ(FormatAnswer(Verb::Get, (15 << 16) | 0xFFFF), "mask 15 count 65535");
    // Bits above 19 are not part of the mask.
    EXPECT_EQ(FormatAnswer(Verb::Get, (0x7F << 16) | 3), "mask 15 count 3");
}

TEST(CtlAnswers, SetShowsTheMaskNowInEffect) {
    EXPECT_EQ(FormatAnswer(Verb::Set, 4), "mask 4");
    EXPECT_EQ(FormatAnswer(Verb::Set, 11), "mask 11");
    EXPECT_EQ(FormatAnswer(Verb::Set, 0), "mask 0");
}

TEST(CtlAnswers, ExitTellsTheHiddenFlagAndNoMore) {
    EXPECT_EQ(FormatAnswer(Verb::Exit, -1), "-1 hidden flag set");
    EXPECT_EQ(FormatAnswer(Verb::Exit, 1), "1 hidden flag clear");
    // A 64-bit answer whose low 32 bits are all ones is the hidden answer widened.
    EXPECT_EQ(FormatAnswer(Verb::Exit, static_cast<std::intptr_t>(0xFFFFFFFFu)),
              "-1 hidden flag set");
    // Anything else is printed as it came, not taken for one of the two.
    EXPECT_EQ(FormatAnswer(Verb::Exit, 0), "0 (not an answer the program gives)");
    EXPECT_EQ(FormatAnswer(Verb::Exit, 7), "7 (not an answer the program gives)");
}

TEST(CtlArguments, BandsTakesAnyWordsForTheProgramToCheck) {
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"bands"}, {"bands", "set", "1", "x", "y", "z"}}) {
        const std::optional<Command> command = Parse(words);
        ASSERT_TRUE(command);
        EXPECT_EQ(command->verb, Verb::Bands);
    }
}

// The names words go to the program whole, except a line break, which the words' channel
// cannot carry inside a word.
TEST(CtlArguments, NamesWordsTravelWholeButNoLineBreak) {
    const std::optional<Command> command = Parse({"names", "set", "1", "Beverage NE"});
    ASSERT_TRUE(command);
    EXPECT_EQ(command->verb, Verb::Station);
    const ParsedArguments refused = ParseCommandLine({"names", "set", "1", "Loop\nNW"});
    EXPECT_FALSE(refused.command);
    EXPECT_NE(refused.error.find("line break"), std::string::npos);
}

TEST(CtlAnswers, ReloadAndHideConfirm) {
    EXPECT_EQ(FormatAnswer(Verb::Reload, 0), "reloaded");
    EXPECT_EQ(FormatAnswer(Verb::Hide, 1), "hidden");
}

TEST(CtlUsage, NamesEveryCommandWithAnExampleAndEveryExitCode) {
    const std::string usage = UsageText();
    for (const char* word : {"get", "set MASK", "show", "reload", "hide", "exit", "--help",
                             "0 done", "1 usage error", "2 no copy", "3 no answer",
                             "bands on | off", "bands set N FROM TO MASK", "bands clear N | all",
                             "4 no box", "5 Torvik.ini"}) {
        EXPECT_NE(usage.find(word), std::string::npos) << word;
    }
    for (const char* example : {"torvikctl get ", "torvikctl set 0x5", "torvikctl show",
                                "torvikctl hide", "torvikctl reload", "torvikctl exit",
                                "torvikctl --help"}) {
        EXPECT_NE(usage.find(example), std::string::npos) << example;
    }
    // The short usage is one line and names every command too.
    const std::string brief = ShortUsage();
    EXPECT_EQ(brief.find('\n'), brief.size() - 1);
    for (const char* word : {"get", "set MASK", "show", "hide", "reload", "exit", "--help"}) {
        EXPECT_NE(brief.find(word), std::string::npos) << word;
    }
}

}  // namespace
}  // namespace torvik::ctl

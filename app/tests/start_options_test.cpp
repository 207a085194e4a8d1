#include "app/start_options.h"

#include <gtest/gtest.h>

#include <string>

namespace torvik {
namespace {

TEST(HideWord, AnySpellingThatContainsTheWordStartsHidden) {
    for (const char* tail : {"HIDE", "hide", "/Hide", "-HIDE", "NOHIDE", "x y hIdE z"}) {
        EXPECT_TRUE(HasHideWord(tail)) << tail;
    }
}

TEST(HideWord, SplitOrMissingWordStartsVisible) {
    for (const char* tail : {"", "HID E", "HID", "H I D E", "/show"}) {
        EXPECT_FALSE(HasHideWord(tail)) << tail;
    }
}

TEST(HideWord, WordFarBeyondTwoHundredFiftyFiveCharactersStillCounts) {
    std::string tail(1000, 'x');
    tail += " hide";
    EXPECT_TRUE(HasHideWord(tail));
    EXPECT_FALSE(HasHideWord(std::string(5000, 'h')));
}

TEST(HideWord, NonAsciiBytesAreLeftAlone) {
    // Bytes above 0x7F must neither crash nor turn into letters of the word.
    const std::string tail = "\xE4\xF6\xFC\xC8\xC9";
    EXPECT_FALSE(HasHideWord(tail));
    EXPECT_EQ(AsciiUpper("a\xE4z"), "A\xE4Z");
}

}  // namespace
}  // namespace torvik

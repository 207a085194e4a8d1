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

TEST(ProgramFolder, IsTheExecutablesFolderUpTo254Characters) {
    EXPECT_EQ(ProgramFolderOf("C:\\Users\\ann\\Programs\\Torvik\\Torvik.exe"),
              "C:\\Users\\ann\\Programs\\Torvik");
    EXPECT_EQ(ProgramFolderOf("C:\\Torvik.exe"), "C:");   // "C:" + "\\Torvik.ini" is the root's file
    EXPECT_EQ(ProgramFolderOf("Z:/tmp/case/Torvik.exe"), "Z:/tmp/case");
    const std::string longest = "C:\\" + std::string(251, 'd');   // 254 characters
    EXPECT_EQ(ProgramFolderOf(longest + "\\Torvik.exe"), longest);
    // One more character, no folder at all, or a NUL inside: refused, not cut.
    EXPECT_EQ(ProgramFolderOf(longest + "e\\Torvik.exe"), std::nullopt);
    EXPECT_EQ(ProgramFolderOf("Torvik.exe"), std::nullopt);
    EXPECT_EQ(ProgramFolderOf("\\Torvik.exe"), std::nullopt);
    EXPECT_EQ(ProgramFolderOf(std::string("C:\\a\0b\\Torvik.exe", 17)), std::nullopt);
}

TEST(InstanceLock, NameCarriesTheUserAndStaysWithinBounds) {
    EXPECT_EQ(InstanceLockName("S-1-5-21-1-2-3-1001"),
              "Local\\TORVIK-SingleInstance-S-1-5-21-1-2-3-1001");
    // Only the namespace separator may be a backslash.
    EXPECT_EQ(InstanceLockName("DOMAIN\\user"), "Local\\TORVIK-SingleInstance-DOMAIN_user");
    const std::string longName = InstanceLockName(std::string(1000, 'u'));
    EXPECT_EQ(longName.size(), kMaxInstanceLockName);
    EXPECT_EQ(longName.find('\\'), longName.rfind('\\'));
}

TEST(InstanceLock, EmptyUserStillGivesAUsableName) {
    EXPECT_EQ(InstanceLockName(""), "Local\\TORVIK-SingleInstance-");
}

}  // namespace
}  // namespace torvik

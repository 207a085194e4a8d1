#include "setup/autostart.h"

#include <gtest/gtest.h>

#include "setup_fakes.h"

namespace torvik {
namespace {

TEST(FormatRunCommand, AppendsProgramAndHideWithABackslash) {
    EXPECT_EQ(FormatRunCommand("C:\\Radio\\Torvik"), "C:\\Radio\\Torvik\\Torvik.exe HIDE");
    EXPECT_EQ(FormatRunCommand("/home/op"), "/home/op\\Torvik.exe HIDE");
}

TEST(FormatRunCommand, QuotesAProgramPathWithSpacesSoNoOtherProgramRunsInstead) {
    EXPECT_EQ(FormatRunCommand("C:\\Program Files\\Torvik"),
              "\"C:\\Program Files\\Torvik\\Torvik.exe\" HIDE");
    // The quotes count against the buffer too: 237 + 2 + 16 + the zero fill 256 exactly.
    std::string spaced(237, 'a');
    spaced[5] = ' ';
    ASSERT_TRUE(FormatRunCommand(spaced).has_value());
    EXPECT_EQ(FormatRunCommand(spaced)->size(), 255u);
    spaced += 'a';
    EXPECT_FALSE(FormatRunCommand(spaced).has_value());
}

TEST(FormatRunCommand, RefusesACommandThatWouldNotFitTheBuffer) {
    // "\Torvik.exe HIDE" is 16 characters: 239 + 16 + the zero fill 256 exactly.
    const std::string fits(239, 'a');
    const auto command = FormatRunCommand(fits);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->size(), 255u);
    EXPECT_FALSE(FormatRunCommand(std::string(240, 'a')).has_value());
    EXPECT_FALSE(FormatRunCommand(std::string(254, 'a')).has_value());  // longest program folder
}

TEST(IsAutostartRegistered, AnyReadableValueCountsOverlongReadsAsAbsent) {
    testing::FakeAutostart store;
    EXPECT_FALSE(IsAutostartRegistered(store));

    store.values["Velmora"] = "C:\\x\\Torvik.exe HIDE";  // another name is not ours
    EXPECT_FALSE(IsAutostartRegistered(store));

    store.values[std::string(kAutostartValueName)] = "D:\\elsewhere\\other.exe";
    EXPECT_TRUE(IsAutostartRegistered(store));
    store.values[std::string(kAutostartValueName)] = "";
    EXPECT_TRUE(IsAutostartRegistered(store));

    store.values[std::string(kAutostartValueName)] = std::string(254, 'x');  // 255 bytes with zero
    EXPECT_TRUE(IsAutostartRegistered(store));
    store.values[std::string(kAutostartValueName)] = std::string(255, 'x');
    EXPECT_FALSE(IsAutostartRegistered(store));
}

}  // namespace
}  // namespace torvik

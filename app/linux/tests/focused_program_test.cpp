#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/linux/proc_exe.h"
#include "app/linux/window_properties.h"

namespace torvik::x11 {
namespace {

constexpr std::uint32_t kAtomAtom = 4;

// A reply whose value is exactly the given 32-bit items, or the first `bytes` bytes of them.
struct FakeReply {
    std::vector<std::uint8_t> bytes;
    PropertyReply reply;
    FakeReply(std::uint8_t format, std::uint32_t type, std::vector<std::uint32_t> items,
              std::size_t keptBytes = SIZE_MAX)
        : bytes(items.size() * 4) {
        if (!items.empty()) std::memcpy(bytes.data(), items.data(), bytes.size());
        bytes.resize(std::min(bytes.size(), keptBytes));
        reply = {format, type, static_cast<std::uint32_t>(items.size()), bytes};
    }
};

TEST(WindowProperties, OnlyAFormat32ValueOfTheRightTypeAndLengthIsRead) {
    EXPECT_EQ(ProcessIdFromReply(FakeReply(32, kAtomCardinal, {4242}).reply), 4242u);
    EXPECT_EQ(ProcessIdFromReply(FakeReply(32, kAtomCardinal, {77, 4242}).reply), 77u);
    EXPECT_EQ(WindowFromReply(FakeReply(32, kAtomWindow, {0x1200007}).reply), 0x1200007u);

    const FakeReply refused[] = {
        FakeReply(32, kAtomWindow, {4242}),             // a window where a number belongs
        FakeReply(32, kAtomAtom, {4242}),
        FakeReply(16, kAtomCardinal, {4242}),
        FakeReply(8, kAtomCardinal, {4242}),
        FakeReply(0, 0, {}),                            // the property is not set
        FakeReply(32, kAtomCardinal, {}),               // set, but empty
        FakeReply(32, kAtomCardinal, {4242}, 3),        // the length claims more than arrived
        FakeReply(32, kAtomCardinal, {0}),              // no process has id 0
    };
    for (const FakeReply& garbage : refused) {
        EXPECT_FALSE(ProcessIdFromReply(garbage.reply).has_value())
            << int(garbage.reply.format) << " " << garbage.reply.type << " " << garbage.bytes.size();
    }
    EXPECT_FALSE(WindowFromReply(FakeReply(32, kAtomCardinal, {0x1200007}).reply).has_value());
    EXPECT_FALSE(WindowFromReply(FakeReply(32, kAtomWindow, {kNoWindow}).reply).has_value());
    EXPECT_FALSE(WindowFromReply(FakeReply(32, kAtomWindow, {0x1200007}, 0).reply).has_value());
}

TEST(WindowProperties, TheActiveWindowCountsOnlyWhileTheWindowManagerProvesItIsAlive) {
    struct Case {
        const char* what;
        std::optional<std::uint32_t> checkOnRoot, checkOnChild, active;
        std::uint32_t inputFocus;
        std::optional<std::uint32_t> chosen;
    };
    const Case cases[] = {
        {"live manager", 0x400001, 0x400001, 0x800003, 0x600002, 0x800003},
        {"stale check window", 0x400001, std::nullopt, 0x800003, 0x600002, 0x600002},
        {"check window names another", 0x400001, 0x400009, 0x800003, 0x600002, 0x600002},
        {"no manager", std::nullopt, std::nullopt, 0x800003, 0x600002, 0x600002},
        {"manager without an active window", 0x400001, 0x400001, std::nullopt, 0x600002, 0x600002},
        {"focus follows the pointer", std::nullopt, std::nullopt, std::nullopt, kPointerRoot, std::nullopt},
        {"no focus at all", 0x400001, 0x400009, 0x800003, kNoWindow, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseFocusedWindow(c.checkOnRoot, c.checkOnChild, c.active, c.inputFocus), c.chosen)
            << c.what;
    }
}

// A format-8 reply of the given text; `stated` is the length the server claims.
PropertyReply TextReply(const std::string& text, std::uint8_t format = 8,
                        std::size_t stated = SIZE_MAX) {
    return {format, 31, static_cast<std::uint32_t>(std::min(stated, text.size())),
            {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}};
}

TEST(WindowProperties, TheMainWindowIsOurClassWithTheMarkInItsTitle) {
    const std::string ours("torvik\0Torvik\0", 14);
    const std::string renamed("torvik-1.0\0Torvik\0", 18);
    const std::string editor("gedit\0Gedit\0", 12);
    const std::string title = "TORVIK - Antenna Switch and Mixer Control";
    EXPECT_TRUE(IsMainWindow(ClassFromReply(TextReply(ours)), TitleFromReply(TextReply(title))));
    EXPECT_TRUE(IsMainWindow(ClassFromReply(TextReply(renamed)), "TORVIK"));
    // Another program's file named after us, our own setup dialog, a window without a title.
    EXPECT_FALSE(IsMainWindow(ClassFromReply(TextReply(editor)), "TORVIK.txt - gedit"));
    EXPECT_FALSE(IsMainWindow(ClassFromReply(TextReply(ours)), "Torvik Setup"));
    EXPECT_FALSE(IsMainWindow(ClassFromReply(TextReply(ours)), std::nullopt));
    // Damaged class values: no class part, a class cut by the stated length, not format 8,
    // and a class that only starts like ours.
    EXPECT_EQ(ClassFromReply(TextReply("Torvik")), std::nullopt);
    EXPECT_EQ(ClassFromReply(TextReply(ours, 8, 10)), "Tor");
    EXPECT_EQ(ClassFromReply(TextReply(ours, 32)), std::nullopt);
    EXPECT_FALSE(IsMainWindow(ClassFromReply(TextReply(std::string("x\0TorvikX", 9))), title));
    EXPECT_EQ(TitleFromReply(TextReply(title, 8, 6)), "TORVIK");
}

}  // namespace
}  // namespace torvik::x11

namespace torvik {
namespace {

TEST(ProcExe, TheLinkTextYieldsTheExecutablesBaseName) {
    struct Case {
        std::string link;
        std::optional<std::string> name;
    };
    const Case cases[] = {
        {"/usr/bin/Brannoc.exe", "Brannoc.exe"},
        {"/opt/radio/tessiv (deleted)", "tessiv"},            // replaced or removed since it started
        {"/opt/x (deleted) (deleted)", "x (deleted)"},        // the mark is dropped once
        {"/home/op/My Radio/log book", "log book"},
        {"/memfd:tool (deleted)", "memfd:tool"},
        {"/" + std::string(255, 'n'), std::string(255, 'n')},  // the longest file name
        {"/" + std::string(256, 'n'), std::nullopt},
        {std::string(3000, '/') + std::string(2000, 'd') + "/tool", std::nullopt},  // beyond a path
        {"", std::nullopt},
        {" (deleted)", std::nullopt},
        {"bin/relative", std::nullopt},
        {"/usr/bin/", std::nullopt},
        {"/", std::nullopt},
        {std::string("/usr/bin/a\0b", 12), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExecutableNameFromLink(c.link), c.name) << c.link.substr(0, 40);
    }
}

TEST(ProcExe, ReadsTheLinkOfALiveProcessAndNothingForOneThatIsNot) {
    EXPECT_EQ(ExecutableNameOfProcess(static_cast<std::uint32_t>(::getpid())), "torvik_linux_tests");
    EXPECT_FALSE(ExecutableNameOfProcess(0).has_value());
    EXPECT_FALSE(ExecutableNameOfProcess(0x7FFFFFFF).has_value());  // above any pid_max
}

}  // namespace
}  // namespace torvik

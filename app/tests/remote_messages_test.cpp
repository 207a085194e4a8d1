#include "app/remote_messages.h"

#include <gtest/gtest.h>

#include "app/tests/controller_fixture.h"

namespace torvik::testing {
namespace {

std::uintptr_t CommandWord(int id, int code) {
    return static_cast<std::uintptr_t>(id) | (static_cast<std::uintptr_t>(code) << 16);
}

struct Decoded {
    std::optional<Verb> verb;
    std::uintptr_t mask = 0;
    std::int32_t hotkeyId = 0;
};

Decoded Decode(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    const std::optional<Command> command = CommandFromMessage(message, wParam, lParam);
    if (!command) return {};
    return {command->verb, command->mask, command->hotkeyId};
}

TEST(RemoteMessages, EachMessageNumberIsItsVerbWhateverItsParameters) {
    const struct {
        std::uint32_t message;
        Verb verb;
    } rows[] = {
        {0x2342, Verb::Hide}, {0x2354, Verb::Reload}, {0x2355, Verb::Exit},
        {0x26C4, Verb::Set},  {0x26C5, Verb::Get},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Decode(row.message, 77, -5).verb, row.verb) << row.message;
    }
    EXPECT_EQ(Decode(msg::kRemoteSetState, ~std::uintptr_t{0} - 0xF, 0).mask,
              ~std::uintptr_t{0} - 0xF);
    // Show is the tray menu's "open Dialog": a menu command, no notification code, no sender.
    EXPECT_EQ(Decode(0x0111, 1024, 0).verb, Verb::Show);
    EXPECT_EQ(Decode(0x0111, 1024, 0x1234).verb, std::nullopt);
    // The tray's notice and a message next to ours are none of these.
    EXPECT_EQ(Decode(0x2341, 149, 0x200).verb, std::nullopt);
    EXPECT_EQ(Decode(0x2343, 0, 0).verb, std::nullopt);
}

TEST(RemoteMessages, TheReloadCommandNeedsItsCodeAndASender) {
    EXPECT_EQ(Decode(0x0111, CommandWord(1013, 1), 0x1234).verb, Verb::Reload);
    // A menu command carries no code and no sender.
    EXPECT_EQ(Decode(0x0111, CommandWord(1013, 1), 0).verb, std::nullopt);
    EXPECT_EQ(Decode(0x0111, CommandWord(1013, 0), 0x1234).verb, std::nullopt);
    EXPECT_EQ(Decode(0x0111, CommandWord(1001, 1), 0x1234).verb, std::nullopt);
    // High bits beyond the notification word do not make another command match.
    EXPECT_EQ(Decode(0x0111, CommandWord(1013, 0x10001), 0x1234).verb, Verb::Reload);
}

TEST(HotkeyPresses, APressCarriesItsIdWhenItFitsTheTablesIds) {
    ASSERT_TRUE(HotkeyPress(2400).has_value());
    EXPECT_EQ(HotkeyPress(2400)->verb, Verb::Hotkey);
    EXPECT_EQ(HotkeyPress(2400)->hotkeyId, 2400);
    EXPECT_EQ(HotkeyPress(0x7FFFFFFF)->hotkeyId, 0x7FFFFFFF);
    EXPECT_FALSE(HotkeyPress(~std::uintptr_t{0}).has_value());
    EXPECT_FALSE(HotkeyPress(std::uintptr_t{1} << 32 | 2400).has_value());
    EXPECT_EQ(Decode(0x0312, 2400, 0).verb, std::nullopt);   // WM_HOTKEY is no remote command
}

using Answer = std::optional<std::intptr_t>;
using Strings = std::vector<std::string>;

// What a program that sends these messages gets back, and what the window did for it.
TEST_F(ControllerTest, EverySentMessageGetsTheWindowsAnswer) {
    const struct {
        const char* what;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        Answer answer;
        Strings events;
    } rows[] = {
        {"set", 0x26C4, 0b0110, 0, 0b0100, {"check 1001 0", "check 1002 0", "check 1003 1"}},
        {"get", 0x26C5, 0, 7, (4 << 16) | 3, {}},
        {"hide", 0x2342, 0, 0, 1, {"hide"}},
        {"reload", 0x2354, 0, 0, 0, {"check 1001 0", "check 1002 0", "check 1003 1"}},
        {"reload command", 0x0111, CommandWord(1013, 1), 0x5678, 0,
         {"check 1001 0", "check 1002 0", "check 1003 1"}},
        {"open dialog", 0x0111, 1024, 0, 0, {"shown"}},
        {"exit", 0x2355, 0, 0, 1, {"end"}},
        // None of the protocol's: no answer and nothing done.
        {"unknown", 0x2343, 1, 1, std::nullopt, {}},
        {"menu reload", 0x0111, 1013, 0, std::nullopt, {}},
        {"sent hotkey", 0x0312, 2400, 0, std::nullopt, {}},
    };
    StartWithBox();
    for (const auto& row : rows) {
        view.events.clear();
        EXPECT_EQ(AnswerSentMessage(controller, row.message, row.wParam, row.lParam), row.answer)
            << row.what;
        // The antenna buttons as the last refresh left them, and the window's fate.
        Strings checks;
        Strings seen;
        for (const std::string& event : view.events) {
            if (event.rfind("check 100", 0) == 0 && event[9] >= '1' && event[9] <= '3') {
                checks.push_back(event);
            } else if (event == "hide" || event == "front" || event == "shown" || event == "end") {
                seen.push_back(event);
            }
        }
        if (checks.size() >= 3) seen.insert(seen.begin(), checks.end() - 3, checks.end());
        EXPECT_EQ(seen, row.events) << row.what;
    }
}

}  // namespace
}  // namespace torvik::testing

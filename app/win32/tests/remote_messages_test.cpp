#include "app/win32/remote_messages.h"

#include <gtest/gtest.h>

#include "app/win32/window_messages.h"

namespace torvik::win32 {
namespace {

WPARAM CommandWord(int id, int code) {
    return static_cast<WPARAM>(id) | (static_cast<WPARAM>(code) << 16);
}

struct Decoded {
    std::optional<Verb> verb;
    std::uintptr_t mask = 0;
    std::int32_t hotkeyId = 0;
};

Decoded Decode(UINT message, WPARAM wParam, LPARAM lParam) {
    const std::optional<Command> command = CommandFromMessage(message, wParam, lParam);
    if (!command) return {};
    return {command->verb, command->mask, command->hotkeyId};
}

TEST(RemoteMessages, EachMessageNumberIsItsVerbWhateverItsParameters) {
    const struct {
        UINT message;
        Verb verb;
    } rows[] = {
        {0x2342, Verb::Hide}, {0x2354, Verb::Reload}, {0x2355, Verb::Exit},
        {0x26C4, Verb::Set},  {0x26C5, Verb::Get},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Decode(row.message, 77, -5).verb, row.verb) << row.message;
        EXPECT_EQ(MessageFor(row.verb), row.message) << row.message;
    }
    EXPECT_EQ(Decode(msg::kRemoteSetState, ~WPARAM{0} - 0xF, 0).mask, ~std::uintptr_t{0} - 0xF);
    EXPECT_EQ(WParamFor(Command{Verb::Set, 9}), 9u);
    // Show is the tray menu's "open Dialog": a menu command, no notification code, no sender.
    EXPECT_EQ(MessageFor(Verb::Show), static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(WParamFor(Command{Verb::Show}), 1024u);
    EXPECT_EQ(Decode(WM_COMMAND, 1024, 0).verb, Verb::Show);
    EXPECT_EQ(Decode(WM_COMMAND, 1024, 0x1234).verb, std::nullopt);
    EXPECT_EQ(MessageFor(Verb::Help), 0u);
    // The tray's notice and a message next to ours are none of these.
    EXPECT_EQ(Decode(msg::kTrayNotify, 149, 0x200).verb, std::nullopt);
    EXPECT_EQ(Decode(0x2343, 0, 0).verb, std::nullopt);
}

TEST(RemoteMessages, TheReloadCommandNeedsItsCodeAndASender) {
    EXPECT_EQ(Decode(WM_COMMAND, CommandWord(1013, 1), 0x1234).verb, Verb::Reload);
    // A menu command carries no code and no sender.
    EXPECT_EQ(Decode(WM_COMMAND, CommandWord(1013, 1), 0).verb, std::nullopt);
    EXPECT_EQ(Decode(WM_COMMAND, CommandWord(1013, 0), 0x1234).verb, std::nullopt);
    EXPECT_EQ(Decode(WM_COMMAND, CommandWord(1001, 1), 0x1234).verb, std::nullopt);
    // High bits beyond the notification word do not make another command match.
    EXPECT_EQ(Decode(WM_COMMAND, CommandWord(1013, 0x10001), 0x1234).verb, Verb::Reload);
}

TEST(RemoteMessages, AHotkeyCarriesItsIdWhenItFitsTheTablesIds) {
    const Decoded pressed = Decode(WM_HOTKEY, 2400, 0);
    EXPECT_EQ(pressed.verb, Verb::Hotkey);
    EXPECT_EQ(pressed.hotkeyId, 2400);
    EXPECT_EQ(Decode(WM_HOTKEY, 0x7FFFFFFF, 0).hotkeyId, 0x7FFFFFFF);
    EXPECT_EQ(Decode(WM_HOTKEY, ~WPARAM{0}, 0).verb, std::nullopt);
    EXPECT_EQ(Decode(WM_HOTKEY, WPARAM{1} << 32 | 2400, 0).verb, std::nullopt);
}

}  // namespace
}  // namespace torvik::win32

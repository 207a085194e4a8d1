#include "app/win32/remote_messages.h"

#include <gtest/gtest.h>

namespace torvik::win32 {
namespace {

TEST(RemoteMessages, TorvikctlSendsWhatTheWindowDecodesBack) {
    for (const Verb verb : {Verb::Get, Verb::Set, Verb::Reload, Verb::Hide, Verb::Exit,
                            Verb::Show}) {
        const Command sent{verb, verb == Verb::Set ? 9u : 0u};
        const auto decoded = CommandFromMessage(MessageFor(verb), WParamFor(sent), 0);
        ASSERT_TRUE(decoded.has_value()) << static_cast<int>(verb);
        EXPECT_EQ(decoded->verb, verb);
        EXPECT_EQ(decoded->mask, sent.mask);
    }
    // The message numbers are Windows' own where the protocol borrows them.
    EXPECT_EQ(MessageFor(Verb::Show), static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(MessageFor(Verb::Help), 0u);
    EXPECT_EQ(MessageFor(Verb::Hotkey), 0u);
}

}  // namespace
}  // namespace torvik::win32

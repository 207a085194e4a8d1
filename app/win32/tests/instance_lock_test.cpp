#include "app/win32/instance_lock.h"

#include <gtest/gtest.h>

namespace torvik::win32 {
namespace {

TEST(InstanceLock, NameCarriesTheUserAndStaysWithinBounds) {
    EXPECT_EQ(InstanceLockName("S-1-5-21-1-2-3-1001"),
              "Local\\TORVIK-SingleInstance-S-1-5-21-1-2-3-1001");
    // Only the namespace separator may be a backslash.
    EXPECT_EQ(InstanceLockName("DOMAIN\\user"), "Local\\TORVIK-SingleInstance-DOMAIN_user");
    const std::string longName = InstanceLockName(std::string(1000, 'u'));
    EXPECT_EQ(longName.size(), kMaxInstanceLockName);
    EXPECT_EQ(longName.find('\\'), longName.rfind('\\'));
    EXPECT_EQ(InstanceLockName(""), "Local\\TORVIK-SingleInstance-");
}

TEST(InstanceLock, OnlyOurWindowClassWithTheMarkIsTheMainWindow) {
    EXPECT_TRUE(IsMainWindow("TorvikMainWindow", "TORVIK - Antenna Switch and Mixer Control"));
    EXPECT_FALSE(IsMainWindow("Notepad", "TORVIK.txt - Notepad"));        // the mark alone
    EXPECT_FALSE(IsMainWindow("TorvikMainWindow", "Antenna Switch"));     // the class alone
    EXPECT_FALSE(IsMainWindow("TorvikMainWindowX", "TORVIK"));
}

}  // namespace
}  // namespace torvik::win32

#include "app/manual_address.h"

#include <gtest/gtest.h>

namespace torvik {
namespace {

TEST(ManualAddress, InstalledPageUnlessTheBuildNamesAnOnlineOne) {
    EXPECT_EQ(ManualAddress("C:\\Users\\ann\\Programs\\Torvik", ""),
              "C:\\Users\\ann\\Programs\\Torvik\\manual\\index.html");
    EXPECT_EQ(ManualAddress("C:", ""), "C:\\manual\\index.html");
    EXPECT_EQ(ManualAddress("C:\\Torvik", "https://example.org/torvik/manual/"),
              "https://example.org/torvik/manual/");
}

}  // namespace
}  // namespace torvik

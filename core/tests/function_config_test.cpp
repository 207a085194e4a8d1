#include "core/function_config.h"

#include <cstring>

#include <gtest/gtest.h>

namespace torvik {
namespace {

TEST(FunctionConfigDefaults, MainDefaultsGiveCtrlNumpadKeysAndTheFiveRecords) {
    const ConfigBlock block = MainDefaults();
    for (const FunctionConfig& record : block) {
        EXPECT_EQ(record.keyCode[0], 0x61);
        EXPECT_EQ(record.keyCode[1], 0x62);
        EXPECT_EQ(record.keyCode[2], 0x63);
        EXPECT_EQ(record.keyCode[3], 0x64);
        EXPECT_EQ(record.keyCode[4], 0);
        EXPECT_EQ(record.ctrlFlag[3], 1);
        EXPECT_EQ(record.ctrlFlag[4], 0);
        EXPECT_EQ(record.altFlag[0] | record.shiftFlag[0] | record.winFlag[0], 0);
        EXPECT_EQ(record.reserved, 0);
    }
    EXPECT_EQ(block[0].deactivated, 0);
    EXPECT_EQ(block[1].deactivated, 0);
    EXPECT_EQ(block[2].deactivated, 0);
    EXPECT_EQ(block[3].deactivated, 1);
    EXPECT_EQ(block[4].deactivated, 1);
    EXPECT_STREQ(block[0].programName, "");
    EXPECT_STREQ(block[1].programName, "Tessiv.exe");
    EXPECT_STREQ(block[2].programName, "Brannoc.exe");
    EXPECT_STREQ(block[3].programName, "Torvik.exe");
    EXPECT_STREQ(block[4].programName, "");
}

TEST(FunctionConfigDefaults, SetupDefaultsDifferOnlyInGlobalDeactivated) {
    ConfigBlock main = MainDefaults();
    const ConfigBlock setup = SetupDefaults();
    EXPECT_EQ(setup[0].deactivated, 1);
    main[0].deactivated = 1;
    EXPECT_EQ(std::memcmp(&main, &setup, sizeof main), 0);
}

}  // namespace
}  // namespace torvik

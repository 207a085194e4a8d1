#include "setup/key_warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvik {
namespace {

using Lines = std::vector<std::string>;

TEST(KeyWarnings, NamesEveryAntennaOfTheSharedGroupAndEveryBareKey) {
    FunctionConfig record = MainDefaults()[0];
    EXPECT_EQ(KeyWarnings(record), Lines{});

    // Antennas 1 and 3 share CTRL+F5; antenna 2 keeps CTRL+NUM PAD 2.
    record.keyCode[0] = record.keyCode[2] = 0x74;
    EXPECT_EQ(KeyWarnings(record),
              Lines{"Antennas 1 and 3 have the same keys: they choose only antenna 1."});

    // Any nonzero flag counts as on, as for the hotkeys: CTRL 1 and CTRL 7 are the same keys.
    record.keyCode[1] = 0x74;
    record.ctrlFlag[1] = 7;
    EXPECT_EQ(KeyWarnings(record),
              Lines{"Antennas 1, 2 and 3 have the same keys: they choose only antenna 1."});

    // Different keys, no modifiers on 1 and 2; a slot beyond the three is never looked at.
    record = MainDefaults()[0];
    record.ctrlFlag[0] = record.ctrlFlag[1] = 0;
    record.ctrlFlag[3] = 0;
    EXPECT_EQ(KeyWarnings(record),
              Lines{"Antennas 1 and 2: a key without ALT, CTRL, SHIFT or WIN is taken from "
                    "every program."});
    record.deactivated = 1;
    EXPECT_EQ(KeyWarnings(record), Lines{});
}

}  // namespace
}  // namespace torvik

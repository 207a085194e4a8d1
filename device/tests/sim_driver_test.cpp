// The simulated box's whole-link contract, as the stand-in library and the Linux program see
// it: devices come from the file at each list and open, every call leaves its log line.
#include "device/sim_driver.h"

#include <gtest/gtest.h>

#include "device/location_identity.h"
#include "tests/fakes/temp_folder.h"

namespace torvik::sim {
namespace {

using testing::TempFolder;

TEST(LoggedSimLink, FollowsTheDevicesFileAndLogsEveryCall) {
    TempFolder folder;
    const std::string devices = folder.File("devices.txt");
    const std::string log = folder.File("calls.log");
    testing::WriteBytes(devices, "# none yet\n");
    LoggedSimLink link(devices, log);

    std::vector<ListedDevice> listed(3);
    ASSERT_EQ(link.List(listed), LinkResult::Ok);
    EXPECT_TRUE(listed.empty());

    // A box plugged in and a junk line: the next list sees the boxes only.
    testing::WriteBytes(devices, "AT0001A\t0x1234\tTorvik Box\nnot a device\n"
                                 "AT0002A\t5\tTorvik Box\tshort-write\n");
    ASSERT_EQ(link.List(listed), LinkResult::Ok);
    ASSERT_EQ(listed.size(), 2u);
    LinkHandle handle = kNoHandle;
    ASSERT_EQ(link.Open(listed[0].identity, handle), LinkResult::Ok);
    EXPECT_EQ(link.EnterBitBang(handle), LinkResult::Ok);
    std::uint32_t written = 0;
    EXPECT_EQ(link.WriteByte(handle, 0x85, written), LinkResult::Ok);
    EXPECT_EQ(written, 1u);
    EXPECT_EQ(link.Close(handle), LinkResult::Ok);

    // The short-writing box takes nothing; the log marks the byte.
    ASSERT_EQ(link.Open(listed[1].identity, handle), LinkResult::Ok);
    written = 7;
    EXPECT_EQ(link.WriteByte(handle, 0x85, written), LinkResult::Ok);
    EXPECT_EQ(written, 0u);
    link.Close(handle);

    // Unplugged between list and open: the open fails and says so.
    testing::WriteBytes(devices, "");
    EXPECT_EQ(link.Open(IdentityOfLocation(0x1234), handle), LinkResult::NotFound);

    EXPECT_EQ(testing::ReadBytes(log),
              "LIST 0\nLIST 2\nOPEN 0x00001234 0\nBITMODE 0xFF 0x01 0\nWRITE 0x85 0\nCLOSE 0\n"
              "OPEN 0x00000005 0\nWRITE 0x85 0 short\nCLOSE 0\nOPEN 0x00001234 2\n");
}

}  // namespace
}  // namespace torvik::sim

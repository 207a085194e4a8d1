// The simulated box's whole-driver contract, as the stand-in library and the Linux program see
// it: devices come from the file at each list and open, every call leaves its log line.
#include "device/sim_driver.h"

#include <gtest/gtest.h>

#include "tests/fakes/temp_folder.h"

namespace torvik::sim {
namespace {

using testing::TempFolder;

TEST(LoggedSimDriver, FollowsTheDevicesFileAndLogsEveryCall) {
    TempFolder folder;
    const std::string devices = folder.File("devices.txt");
    const std::string log = folder.File("calls.log");
    testing::WriteBytes(devices, "# none yet\n");
    LoggedSimDriver driver(devices, log);

    std::uint32_t count = 99;
    ASSERT_EQ(driver.CreateDeviceInfoList(&count), kFtOk);
    EXPECT_EQ(count, 0u);

    // A box plugged in and a junk line: the next list sees the box only.
    testing::WriteBytes(devices, "AT0001A\t0x1234\tTorvik Box\nnot a device\n"
                                 "AT0002A\t5\tTorvik Box\tshort-write\n");
    ASSERT_EQ(driver.CreateDeviceInfoList(&count), kFtOk);
    ASSERT_EQ(count, 2u);
    FtHandle handle = nullptr;
    ASSERT_EQ(driver.OpenEx(0x1234, kFtOpenByLocation, &handle), kFtOk);
    EXPECT_EQ(driver.SetBitMode(handle, kAllLinesOutput, kAsyncBitBang), kFtOk);
    const std::uint8_t byte = 0x85;
    std::uint32_t written = 0;
    EXPECT_EQ(driver.Write(handle, &byte, 1, &written), kFtOk);
    EXPECT_EQ(written, 1u);
    EXPECT_EQ(driver.Close(handle), kFtOk);

    // The short-writing box takes nothing; the log marks the byte.
    ASSERT_EQ(driver.OpenEx(5, kFtOpenByLocation, &handle), kFtOk);
    written = 7;
    EXPECT_EQ(driver.Write(handle, &byte, 1, &written), kFtOk);
    EXPECT_EQ(written, 0u);
    driver.Close(handle);

    // Unplugged between list and open: the open fails and says so.
    testing::WriteBytes(devices, "");
    EXPECT_EQ(driver.OpenEx(0x1234, kFtOpenByLocation, &handle), kFtDeviceNotFound);

    EXPECT_EQ(testing::ReadBytes(log),
              "LIST 0\nLIST 2\nOPEN 0x00001234 0\nBITMODE 0xFF 0x01 0\nWRITE 0x85 0\nCLOSE 0\n"
              "OPEN 0x00000005 0\nWRITE 0x85 0 short\nCLOSE 0\nOPEN 0x00001234 2\n");
}

}  // namespace
}  // namespace torvik::sim

#include "device/simulated_box.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace torvik {
namespace {

using Kind = SimCall::Kind;

SimulatedBox TwoDevices() {
    SimulatedBox box;
    box.devices.push_back({"A1MIRVAX8", "first", 0x11});
    box.devices.push_back({"B2ZELKOR5", "second", 0x22});
    return box;
}

TEST(SimulatedBoxList, CopiesNoMoreNodesThanTheCallerHasRoomFor) {
    SimulatedBox box = TwoDevices();
    std::uint32_t count = 0;
    ASSERT_EQ(box.CreateDeviceInfoList(&count), kFtOk);
    EXPECT_EQ(count, 2u);

    // Room for one node, with a sentinel behind it.
    std::vector<DeviceNode> nodes(2);
    std::memset(nodes.data(), 0xAB, sizeof(DeviceNode) * 2);
    std::uint32_t room = 1;
    ASSERT_EQ(box.GetDeviceInfoList(nodes.data(), &room), kFtOk);
    EXPECT_EQ(room, 2u);   // the driver's own count, not the number written
    EXPECT_STREQ(nodes[0].SerialNumber, "A1MIRVAX8");
    EXPECT_EQ(nodes[0].LocId, 0x11u);
    const auto* sentinel = reinterpret_cast<const unsigned char*>(&nodes[1]);
    for (std::size_t i = 0; i < sizeof(DeviceNode); ++i) {
        ASSERT_EQ(sentinel[i], 0xAB) << "byte " << i << " of the node beyond the room";
    }
}

TEST(SimulatedBoxList, ReportsTheSnapshotTakenByTheCreateCall) {
    SimulatedBox box = TwoDevices();
    std::uint32_t count = 0;
    box.CreateDeviceInfoList(&count);
    box.devices.clear();   // unplugged between the two calls

    std::vector<DeviceNode> nodes(count);
    std::uint32_t room = count;
    ASSERT_EQ(box.GetDeviceInfoList(nodes.data(), &room), kFtOk);
    EXPECT_EQ(room, 2u);
    EXPECT_STREQ(nodes[1].SerialNumber, "B2ZELKOR5");
    EXPECT_STREQ(nodes[1].Description, "second");
}

TEST(SimulatedBoxList, LongTextsAreCutToTheirFieldsWithANul) {
    SimulatedBox box;
    box.devices.push_back({std::string(40, 'S'), std::string(100, 'D'), 7});
    std::uint32_t count = 0;
    box.CreateDeviceInfoList(&count);
    DeviceNode node{};
    ASSERT_EQ(box.GetDeviceInfoList(&node, &count), kFtOk);
    EXPECT_EQ(std::strlen(node.SerialNumber), 15u);
    EXPECT_EQ(std::strlen(node.Description), 63u);
}

TEST(SimulatedBoxList, FailingOrNullArgumentsAreRefused) {
    SimulatedBox box = TwoDevices();
    box.listFails = true;
    std::uint32_t count = 99;
    EXPECT_EQ(box.CreateDeviceInfoList(&count), kFtOtherError);
    EXPECT_EQ(count, 0u);
    box.listFails = false;
    EXPECT_EQ(box.CreateDeviceInfoList(nullptr), kFtInvalidParameter);
    count = 1;
    EXPECT_EQ(box.GetDeviceInfoList(nullptr, &count), kFtInvalidParameter);
    ASSERT_EQ(box.Calls().size(), 3u);
    EXPECT_EQ(box.Calls()[0].kind, Kind::List);
    EXPECT_EQ(box.Calls()[2].kind, Kind::GetList);
}

TEST(SimulatedBoxOpen, OpensByLocationAndRecordsTheFullWriteSequence) {
    SimulatedBox box = TwoDevices();
    FtHandle handle = nullptr;
    ASSERT_EQ(box.OpenEx(0x22, kFtOpenByLocation, &handle), kFtOk);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(box.OpenHandles(), 1);
    EXPECT_EQ(box.SetBitMode(handle, 0xFF, 0x01), kFtOk);
    const std::uint8_t byte = 0x0C;
    std::uint32_t written = 0;
    EXPECT_EQ(box.Write(handle, &byte, 1, &written), kFtOk);
    EXPECT_EQ(written, 1u);
    EXPECT_EQ(box.Close(handle), kFtOk);
    EXPECT_EQ(box.OpenHandles(), 0);

    const auto& calls = box.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].kind, Kind::Open);
    EXPECT_EQ(calls[0].value, 0x22u);
    EXPECT_EQ(calls[1].kind, Kind::BitMode);
    EXPECT_EQ(calls[1].mask, 0xFF);
    EXPECT_EQ(calls[1].mode, 0x01);
    EXPECT_EQ(calls[2].kind, Kind::Write);
    EXPECT_EQ(calls[2].value, 0x0Cu);
    EXPECT_EQ(calls[3].kind, Kind::Close);
    EXPECT_EQ(box.BytesWritten(), std::vector<std::uint8_t>{0x0C});
    EXPECT_EQ(box.LastOutput(0x22), std::optional<std::uint8_t>(0x0C));
    EXPECT_FALSE(box.LastOutput(0x11).has_value());
}

TEST(SimulatedBoxOpen, AbsentRefusingOrVanishedDevicesCannotBeOpened) {
    SimulatedBox box = TwoDevices();
    FtHandle handle = nullptr;
    EXPECT_EQ(box.OpenEx(0x99, kFtOpenByLocation, &handle), kFtDeviceNotFound);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(box.OpenEx(0x11, 1, &handle), kFtInvalidParameter);   // only by location
    EXPECT_EQ(box.OpenEx(0x11, kFtOpenByLocation, nullptr), kFtInvalidParameter);

    box.devices[0].openFails = true;
    EXPECT_EQ(box.OpenEx(0x11, kFtOpenByLocation, &handle), kFtDeviceNotOpened);

    box.vanishBeforeNextOpen = true;
    EXPECT_EQ(box.OpenEx(0x22, kFtOpenByLocation, &handle), kFtDeviceNotFound);
    EXPECT_FALSE(box.vanishBeforeNextOpen);
    EXPECT_EQ(box.devices.size(), 1u);   // the vanished box is unplugged for good
    EXPECT_EQ(box.OpenHandles(), 0);
}

TEST(SimulatedBoxHandles, BadOrClosedHandlesAreRejected) {
    SimulatedBox box = TwoDevices();
    const std::uint8_t byte = 1;
    std::uint32_t written = 7;
    EXPECT_EQ(box.SetBitMode(nullptr, 0xFF, 1), kFtInvalidHandle);
    EXPECT_EQ(box.Write(nullptr, &byte, 1, &written), kFtInvalidHandle);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(box.Close(nullptr), kFtInvalidHandle);

    FtHandle handle = nullptr;
    ASSERT_EQ(box.OpenEx(0x11, kFtOpenByLocation, &handle), kFtOk);
    ASSERT_EQ(box.Close(handle), kFtOk);
    EXPECT_EQ(box.Close(handle), kFtInvalidHandle);
    EXPECT_EQ(box.Write(handle, &byte, 1, &written), kFtInvalidHandle);

    FtHandle second = nullptr;
    ASSERT_EQ(box.OpenEx(0x11, kFtOpenByLocation, &second), kFtOk);
    EXPECT_NE(second, handle);   // values are not reused
    box.Close(second);
    EXPECT_TRUE(box.BytesWritten().empty());
}

TEST(SimulatedBoxFailures, BitModeWriteAndShortWriteFailuresAndUnplugWhileOpen) {
    SimulatedBox box = TwoDevices();
    box.devices[0].bitModeFails = true;
    box.devices[0].writeFails = true;
    FtHandle handle = nullptr;
    ASSERT_EQ(box.OpenEx(0x11, kFtOpenByLocation, &handle), kFtOk);
    EXPECT_NE(box.SetBitMode(handle, 0xFF, 1), kFtOk);
    const std::uint8_t byte = 0x0A;
    std::uint32_t written = 5;
    EXPECT_NE(box.Write(handle, &byte, 1, &written), kFtOk);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(box.Close(handle), kFtOk);

    // A short write, as when the write timeout ends: success, nothing taken.
    box.devices[0] = {"A1MIRVAX8", "slow", 0x11};
    box.devices[0].shortWrite = true;
    ASSERT_EQ(box.OpenEx(0x11, kFtOpenByLocation, &handle), kFtOk);
    EXPECT_EQ(box.SetTimeouts(handle, 500, 500), kFtOk);
    written = 9;
    EXPECT_EQ(box.Write(handle, &byte, 1, &written), kFtOk);
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(box.LastOutput(0x11).has_value());
    EXPECT_EQ(box.Close(handle), kFtOk);
    EXPECT_EQ(box.SetTimeouts(handle, 500, 500), kFtInvalidHandle);

    ASSERT_EQ(box.OpenEx(0x22, kFtOpenByLocation, &handle), kFtOk);
    box.devices.clear();
    EXPECT_EQ(box.SetBitMode(handle, 0xFF, 1), kFtIoError);
    EXPECT_EQ(box.Write(handle, &byte, 1, &written), kFtIoError);
    EXPECT_EQ(box.Close(handle), kFtOk);
    EXPECT_TRUE(box.BytesWritten().empty());
    EXPECT_EQ(box.Calls().back().kind, Kind::Close);
}

TEST(SimulatedBoxList, OpenDevicesAreFlaggedAndOpensAreExclusive) {
    SimulatedBox box = TwoDevices();
    box.devices.push_back({"C3MIRVAX8", "held", 0x33});
    box.devices[2].heldElsewhere = true;
    FtHandle handle = nullptr;
    ASSERT_EQ(box.OpenEx(0x22, kFtOpenByLocation, &handle), kFtOk);
    FtHandle second = nullptr;
    EXPECT_EQ(box.OpenEx(0x22, kFtOpenByLocation, &second), kFtDeviceNotOpened);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(box.OpenEx(0x33, kFtOpenByLocation, &second), kFtDeviceNotOpened);

    std::uint32_t count = 0;
    box.CreateDeviceInfoList(&count);
    std::vector<DeviceNode> nodes(count);
    box.GetDeviceInfoList(nodes.data(), &count);
    EXPECT_EQ(nodes[0].Flags, 0u);
    EXPECT_EQ(nodes[0].LocId, 0x11u);
    // Open here: flagged, its location gone from the list, its texts kept.
    EXPECT_EQ(nodes[1].Flags, kFtFlagOpened);
    EXPECT_EQ(nodes[1].LocId, 0u);
    EXPECT_STREQ(nodes[1].SerialNumber, "B2ZELKOR5");
    // Held by another program: the flag and nothing else.
    EXPECT_EQ(nodes[2].Flags, kFtFlagOpened);
    EXPECT_EQ(nodes[2].LocId, 0u);
    EXPECT_STREQ(nodes[2].SerialNumber, "");
    EXPECT_STREQ(nodes[2].Description, "");
    box.Close(handle);
    EXPECT_EQ(box.OpenEx(0x22, kFtOpenByLocation, &second), kFtOk);
}

TEST(SimulatedBoxList, TheVendorStyleCallFillsTheWholeListWhateverTheRoom) {
    SimulatedBox box = TwoDevices();
    std::uint32_t count = 0;
    box.CreateDeviceInfoList(&count);
    std::vector<DeviceNode> nodes(2);
    std::memset(nodes.data(), 0xAB, sizeof(DeviceNode) * 2);
    std::uint32_t room = 1;
    ASSERT_EQ(box.FillDeviceInfoList(nodes.data(), &room), kFtOk);
    EXPECT_EQ(room, 2u);
    EXPECT_STREQ(nodes[1].SerialNumber, "B2ZELKOR5");
}

}  // namespace
}  // namespace torvik

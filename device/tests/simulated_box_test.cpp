#include "device/simulated_box.h"
#include "device/location_identity.h"

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

LinkHandle OpenAt(SimulatedBox& box, std::uint32_t location) {
    LinkHandle handle = kNoHandle;
    EXPECT_EQ(box.Open(IdentityOfLocation(location), handle), LinkResult::Ok);
    return handle;
}

TEST(SimulatedBoxList, OpenAndHeldDevicesAreMarkedAndOpensAreExclusive) {
    SimulatedBox box = TwoDevices();
    box.devices.push_back({"C3MIRVAX8", "held", 0x33});
    box.devices[2].heldElsewhere = true;
    box.devices.push_back({std::string(40, 'S'), std::string(100, 'D'), 0x44});
    const LinkHandle handle = OpenAt(box, 0x22);
    LinkHandle second = 99;
    EXPECT_EQ(box.Open(IdentityOfLocation(0x22), second), LinkResult::NotOpened);
    EXPECT_EQ(second, kNoHandle);
    EXPECT_EQ(box.Open(IdentityOfLocation(0x33), second), LinkResult::NotOpened);

    std::vector<ListedDevice> listed(1);   // replaced, not appended to
    ASSERT_EQ(box.List(listed), LinkResult::Ok);
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0].identity, IdentityOfLocation(0x11));
    EXPECT_FALSE(listed[0].openedHere || listed[0].heldElsewhere);
    // Open here: marked, its identity gone from the list, its texts kept.
    EXPECT_TRUE(listed[1].openedHere);
    EXPECT_EQ(listed[1].identity, "");
    EXPECT_EQ(listed[1].serial, "B2ZELKOR5");
    // Held by another program: that and nothing else.
    EXPECT_TRUE(listed[2].heldElsewhere);
    EXPECT_EQ(listed[2].serial + listed[2].description + listed[2].identity, "");
    // Texts as long as the driver reports them.
    EXPECT_EQ(listed[3].serial.size(), 15u);
    EXPECT_EQ(listed[3].description.size(), 63u);

    EXPECT_EQ(box.Close(handle), LinkResult::Ok);
    EXPECT_NE(OpenAt(box, 0x22), kNoHandle);

    box.listFails = true;
    EXPECT_EQ(box.List(listed), LinkResult::Failed);
    EXPECT_TRUE(listed.empty());
    box.listFails = false;
    box.driverMissing = true;
    EXPECT_FALSE(box.Available());
    EXPECT_EQ(box.List(listed), LinkResult::Failed);
}

TEST(SimulatedBoxOpen, OpensByIdentityAndRecordsTheWriteSequence) {
    SimulatedBox box = TwoDevices();
    const LinkHandle handle = OpenAt(box, 0x22);
    ASSERT_NE(handle, kNoHandle);
    EXPECT_EQ(box.OpenHandles(), 1);
    EXPECT_EQ(box.EnterBitBang(handle), LinkResult::Ok);
    std::uint32_t written = 0;
    EXPECT_EQ(box.WriteByte(handle, 0x0C, written), LinkResult::Ok);
    EXPECT_EQ(written, 1u);
    EXPECT_EQ(box.Close(handle), LinkResult::Ok);
    EXPECT_EQ(box.OpenHandles(), 0);

    const auto& calls = box.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].kind, Kind::Open);
    EXPECT_EQ(calls[0].value, 0x22u);
    EXPECT_EQ(calls[1].kind, Kind::BitMode);
    EXPECT_EQ(calls[2].kind, Kind::Write);
    EXPECT_EQ(calls[2].value, 0x0Cu);
    EXPECT_EQ(calls[3].kind, Kind::Close);
    EXPECT_EQ(box.BytesWritten(), std::vector<std::uint8_t>{0x0C});
    EXPECT_EQ(box.LastOutput(0x22), std::optional<std::uint8_t>(0x0C));
    EXPECT_FALSE(box.LastOutput(0x11).has_value());
}

TEST(SimulatedBoxOpen, AbsentRefusingVanishedOrMisnamedDevicesCannotBeOpened) {
    SimulatedBox box = TwoDevices();
    LinkHandle handle = 5;
    EXPECT_EQ(box.Open(IdentityOfLocation(0x99), handle), LinkResult::NotFound);
    EXPECT_EQ(handle, kNoHandle);
    for (const char* name : {"", "17x", "-17", " 17", "99999999999999999999"}) {
        EXPECT_EQ(box.Open(name, handle), LinkResult::NotFound) << name;
    }

    box.devices[0].openFails = true;
    EXPECT_EQ(box.Open(IdentityOfLocation(0x11), handle), LinkResult::NotOpened);

    box.vanishBeforeNextOpen = true;
    EXPECT_EQ(box.Open(IdentityOfLocation(0x22), handle), LinkResult::NotFound);
    EXPECT_FALSE(box.vanishBeforeNextOpen);
    EXPECT_EQ(box.devices.size(), 1u);   // the vanished box is unplugged for good
    EXPECT_EQ(box.OpenHandles(), 0);
}

TEST(SimulatedBoxHandles, BadOrClosedHandlesAreRejectedAndNeverReused) {
    SimulatedBox box = TwoDevices();
    std::uint32_t written = 7;
    EXPECT_EQ(box.EnterBitBang(kNoHandle), LinkResult::InvalidHandle);
    EXPECT_EQ(box.WriteByte(kNoHandle, 1, written), LinkResult::InvalidHandle);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(box.Close(kNoHandle), LinkResult::InvalidHandle);

    const LinkHandle handle = OpenAt(box, 0x11);
    ASSERT_EQ(box.Close(handle), LinkResult::Ok);
    EXPECT_EQ(box.Close(handle), LinkResult::InvalidHandle);
    EXPECT_EQ(box.WriteByte(handle, 1, written), LinkResult::InvalidHandle);
    EXPECT_EQ(box.SetTimeouts(handle, 500, 500), LinkResult::InvalidHandle);

    const LinkHandle second = OpenAt(box, 0x11);
    EXPECT_NE(second, handle);
    box.Close(second);
    EXPECT_TRUE(box.BytesWritten().empty());
}

TEST(SimulatedBoxFailures, BitModeWriteAndShortWriteFailuresAndUnplugWhileOpen) {
    SimulatedBox box = TwoDevices();
    box.devices[0].bitModeFails = true;
    box.devices[0].writeFails = true;
    LinkHandle handle = OpenAt(box, 0x11);
    EXPECT_EQ(box.EnterBitBang(handle), LinkResult::IoError);
    std::uint32_t written = 5;
    EXPECT_EQ(box.WriteByte(handle, 0x0A, written), LinkResult::IoError);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(box.Close(handle), LinkResult::Ok);

    // A short write, as when the write timeout ends: success, nothing taken.
    box.devices[0] = {"A1MIRVAX8", "slow", 0x11};
    box.devices[0].shortWrite = true;
    handle = OpenAt(box, 0x11);
    EXPECT_EQ(box.SetTimeouts(handle, 500, 500), LinkResult::Ok);
    written = 9;
    EXPECT_EQ(box.WriteByte(handle, 0x0A, written), LinkResult::Ok);
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(box.LastOutput(0x11).has_value());
    EXPECT_EQ(box.Close(handle), LinkResult::Ok);

    handle = OpenAt(box, 0x22);
    box.devices.clear();
    EXPECT_EQ(box.EnterBitBang(handle), LinkResult::IoError);
    EXPECT_EQ(box.WriteByte(handle, 0x0A, written), LinkResult::IoError);
    EXPECT_EQ(box.Close(handle), LinkResult::Ok);
    EXPECT_TRUE(box.BytesWritten().empty());
    EXPECT_EQ(box.Calls().back().kind, Kind::Close);
}

}  // namespace
}  // namespace torvik

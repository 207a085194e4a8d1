#include "device/win32/d2xx_listing.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace torvik {
namespace {

// A driver whose two list calls disagree, as a faulty or racing driver might. Like the
// vendor's library, the second call writes every node it has, whatever room it is given.
struct InconsistentDriver {
    std::uint32_t created = 0;
    std::uint32_t reported = 0;
    std::vector<FtDeviceNode> nodes;
    std::uint32_t roomSeen = 0;

    LinkResult List(std::vector<ListedDevice>& devices) {
        return ListThroughDriver(
            [&](std::uint32_t& length) {
                length = created;
                return kFtOk;
            },
            [&](FtDeviceNode* out, std::uint32_t& count) {
                roomSeen = count;
                for (std::size_t i = 0; i < nodes.size() && i < roomSeen; ++i) out[i] = nodes[i];
                count = reported;
                return kFtOk;
            },
            devices);
    }
};

FtDeviceNode Node(const char* serial, std::uint32_t location, std::uint32_t flags = 0) {
    FtDeviceNode node{};
    std::strncpy(node.SerialNumber, serial, sizeof node.SerialNumber);
    std::strcpy(node.Description, "desc");
    node.LocId = location;
    node.Flags = flags;
    return node;
}

TEST(D2xxListing, NeitherCountIsTrustedBeyondTheRoomAndTheAnnouncedLength) {
    InconsistentDriver driver;
    driver.nodes = {Node("A1MIRVAX8", 0x11), Node("B2ZELKOR5", 0x22), Node("C3", 0x33)};
    std::vector<ListedDevice> devices(5);
    // More reported than announced: only the announced nodes are read, with one node of slack
    // given to the driver.
    driver.created = 2;
    driver.reported = 50;
    ASSERT_EQ(driver.List(devices), LinkResult::Ok);
    EXPECT_EQ(driver.roomSeen, 3u);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[1].serial, "B2ZELKOR5");
    EXPECT_EQ(devices[1].identity, "34");

    // Fewer reported than announced: a node past the reported count is not read.
    driver.reported = 1;
    ASSERT_EQ(driver.List(devices), LinkResult::Ok);
    EXPECT_EQ(devices.size(), 1u);

    // An absurd length is cut, not allocated.
    driver.created = 0xFFFFFFFF;
    driver.reported = 0xFFFFFFFF;
    ASSERT_EQ(driver.List(devices), LinkResult::Ok);
    EXPECT_EQ(driver.roomSeen, kMaxListedDevices + 1);
    EXPECT_EQ(devices.size(), kMaxListedDevices);
}

TEST(D2xxListing, OpenAndHeldNodesAndFailedCallsInTheLinksTerms) {
    std::vector<ListedDevice> devices(1);
    const LinkResult failed = ListThroughDriver(
        [](std::uint32_t& length) {
            length = 3;
            return kFtOtherError;
        },
        [](FtDeviceNode*, std::uint32_t&) { return kFtOk; }, devices);
    EXPECT_EQ(failed, LinkResult::Failed);
    EXPECT_TRUE(devices.empty());

    // A serial number that fills its field without a NUL is read no further than the field.
    FtDeviceNode full = Node("", 7);
    std::memcpy(full.SerialNumber, "123456789ZELKOR5", 16);
    const ListedDevice whole = ListedFromNode(full);
    EXPECT_EQ(whole.serial, "123456789ZELKOR5");
    EXPECT_EQ(whole.identity, "7");

    const ListedDevice openHere = ListedFromNode(Node("A1MIRVAX8", 0, kFtFlagOpened));
    EXPECT_TRUE(openHere.openedHere);
    EXPECT_FALSE(openHere.heldElsewhere);
    EXPECT_EQ(openHere.identity, "");
    const ListedDevice held = ListedFromNode(Node("", 0, kFtFlagOpened));
    EXPECT_TRUE(held.heldElsewhere);
    EXPECT_FALSE(held.openedHere);

    EXPECT_EQ(ResultOf(kFtDeviceNotOpened), LinkResult::NotOpened);
    EXPECT_EQ(ResultOf(17), LinkResult::Failed);
    for (LinkResult r : {LinkResult::Ok, LinkResult::InvalidHandle, LinkResult::NotFound,
                         LinkResult::NotOpened, LinkResult::IoError, LinkResult::InvalidArgument,
                         LinkResult::Failed}) {
        EXPECT_EQ(ResultOf(StatusOf(r)), r);
    }
}

}  // namespace
}  // namespace torvik

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "device/linux/usb_box_match.h"

namespace torvik {
namespace {

UsbDeviceInfo Device(std::uint8_t bus, std::vector<std::uint8_t> ports, std::optional<std::string> serial,
                     std::uint16_t product = 0x6001, std::uint16_t vendor = kFtdiVendorId) {
    UsbDeviceInfo device;
    device.vendorId = vendor;
    device.productId = product;
    device.busNumber = bus;
    device.portNumbers = std::move(ports);
    device.serialNumber = std::move(serial);
    return device;
}

TEST(UsbBoxMatch, PlacesGiveAStableIdentityAndALocationIdWhereOneFits) {
    struct Case {
        std::uint8_t bus;
        std::vector<std::uint8_t> ports;
        std::optional<std::string> identity;
        std::optional<std::uint32_t> locationId;
    };
    const Case cases[] = {
        {1, {2, 3}, "1-2.3", 0x01000023},
        {3, {1}, "3-1", 0x03000001},
        {255, {15, 15, 15, 15, 15, 15}, "255-15.15.15.15.15.15", 0xFFFFFFFF},
        {2, {1, 2, 3, 4, 5, 6, 7}, "2-1.2.3.4.5.6.7", std::nullopt},  // deeper than an id holds
        {1, {16}, "1-16", std::nullopt},                                // a port beyond one digit
        {1, {2, 0}, std::nullopt, std::nullopt},
        {1, {}, std::nullopt, std::nullopt},                            // a root hub
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StableIdentity(c.bus, c.ports), c.identity) << int(c.bus);
        EXPECT_EQ(LocationIdOf(c.bus, c.ports), c.locationId) << int(c.bus);
    }
}

TEST(UsbBoxMatch, TheBoxIsTheAcceptedDeviceAtTheLowestPlace) {
    const std::vector<UsbDeviceInfo> devices = {
        Device(1, {4}, "FT9X0A1"),                        // an FTDI cable, not a box
        Device(2, {1}, "00ZELKOR5A", 0x6014),
        Device(1, {2, 3}, "MIRVAX8-0042"),
        Device(1, {2, 1}, "zelkor5-lower"),               // the rule is case-sensitive
        Device(1, {1}, "MIRVAX8-other", 0x6006),          // not one of the box's product ids
        Device(1, {1, 1}, "MIRVAX8-other", 0x6001, 0x1234),
        Device(1, {}, "MIRVAX8-hub"),                     // no place on the bus
    };
    const BoxChoice choice = ChooseBox(devices);
    ASSERT_TRUE(choice.box.has_value());
    EXPECT_EQ(choice.box->serialNumber, "MIRVAX8-0042");
    EXPECT_EQ(choice.identity, "1-2.3");
    EXPECT_EQ(choice.locationId, 0x01000023u);
    EXPECT_FALSE(choice.unreadableCandidate);

    // Listed in the other order, the same box; without it, the box on bus 2.
    const std::vector<UsbDeviceInfo> reversed(devices.rbegin(), devices.rend());
    EXPECT_EQ(ChooseBox(reversed).identity, "1-2.3");
    std::vector<UsbDeviceInfo> without = devices;
    without.erase(without.begin() + 2);
    EXPECT_EQ(ChooseBox(without).identity, "2-1");
    EXPECT_EQ(ChooseBox(without).box->serialNumber, "00ZELKOR5A");
}

TEST(UsbBoxMatch, TheSerialRuleSeesWhatTheWindowsDriverShows) {
    // The Windows node holds 15 characters: the rule text beyond them does not count there and
    // must not here, and the serial that names the settings section is cut alike.
    EXPECT_FALSE(ChooseBox(std::vector{Device(1, {1}, "0123456789ABCDEZELKOR5")}).box.has_value());
    const BoxChoice longSerial = ChooseBox(std::vector{Device(1, {1}, "ZELKOR5-0123456789")});
    ASSERT_TRUE(longSerial.box.has_value());
    EXPECT_EQ(longSerial.box->serialNumber, "ZELKOR5-0123456");
    EXPECT_FALSE(ChooseBox(std::vector{Device(1, {1}, std::string("AB\0MIRVAX8", 10))}).box.has_value());
}

TEST(UsbBoxMatch, ADeviceWithTheBoxsIdsThatWeMayNotOpenIsReported) {
    UsbDeviceInfo locked = Device(1, {3}, std::nullopt);
    locked.accessDenied = true;
    UsbDeviceInfo lockedOther = Device(1, {4}, std::nullopt, 0x6006);
    lockedOther.accessDenied = true;
    UsbDeviceInfo gone = Device(1, {5}, std::nullopt);  // failed to open for another reason

    EXPECT_TRUE(ChooseBox(std::vector{gone, locked}).unreadableCandidate);
    EXPECT_FALSE(ChooseBox(std::vector{gone, lockedOther}).unreadableCandidate);
    const BoxChoice both = ChooseBox(std::vector{locked, Device(2, {1}, "MIRVAX8")});
    EXPECT_EQ(both.identity, "2-1");
    EXPECT_TRUE(both.unreadableCandidate);
}

// The udev rule, read as udev reads it: comma-separated KEY{attr}<op>"value" pairs per line.
TEST(UdevRule, GrantsTheSeatUserEveryProductIdTheBoxMayUseAndSortsBeforeTheSeatRules) {
    const std::string path = TORVIK_UDEV_RULES;
    const std::string name = path.substr(path.rfind('/') + 1);
    EXPECT_TRUE(name.ends_with(".rules"));
    EXPECT_LT(name, "73-seat-late.rules");

    std::ifstream file(path);
    ASSERT_TRUE(file.is_open());
    const std::regex pair(R"re(\s*([A-Z]+)(\{([A-Za-z_]+)\})?(==|!=|\+=|-=|:=|=)"([^"]*)"\s*)re");
    std::set<std::uint16_t> granted;
    std::string line;
    int lineNumber = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        if (line.empty() || line.starts_with('#')) continue;
        std::map<std::string, std::string> matches;  // "SUBSYSTEM==" -> "usb"
        std::stringstream items(line);
        std::string item;
        while (std::getline(items, item, ',')) {
            std::smatch parts;
            ASSERT_TRUE(std::regex_match(item, parts, pair)) << "line " << lineNumber << ": " << item;
            matches[parts[1].str() + parts[2].str() + parts[4].str()] = parts[5];
        }
        EXPECT_EQ(matches["SUBSYSTEM=="], "usb") << lineNumber;
        EXPECT_EQ(matches["ENV{DEVTYPE}=="], "usb_device") << lineNumber;
        EXPECT_EQ(matches["ATTR{idVendor}=="], "0403") << lineNumber;
        EXPECT_EQ(matches["TAG+="], "uaccess") << lineNumber;
        granted.insert(static_cast<std::uint16_t>(std::stoul(matches["ATTR{idProduct}=="], nullptr, 16)));
    }
    EXPECT_EQ(granted, std::set<std::uint16_t>(kBoxProductIds.begin(), kBoxProductIds.end()));
}

}  // namespace
}  // namespace torvik

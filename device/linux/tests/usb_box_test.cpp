#include <gtest/gtest.h>

#include <algorithm>
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

TEST(UsbBoxMatch, PlacesGiveAStableIdentityWhereTheDeviceHasAPortPath) {
    struct Case {
        std::uint8_t bus;
        std::vector<std::uint8_t> ports;
        std::optional<std::string> identity;
    };
    const Case cases[] = {
        {1, {2, 3}, "1-2.3"},
        {3, {1}, "3-1"},
        {2, {1, 2, 3, 4, 5, 6, 7}, "2-1.2.3.4.5.6.7"},
        {1, {16}, "1-16"},
        {1, {2, 0}, std::nullopt},
        {1, {}, std::nullopt},   // a root hub
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StableIdentity(c.bus, c.ports), c.identity) << int(c.bus);
    }
}

TEST(UsbBoxMatch, TheBoxsIdsAreFtdisVendorAndOneOfItsChips) {
    EXPECT_TRUE(HasBoxUsbIds(kFtdiVendorId, 0x6001));
    EXPECT_TRUE(HasBoxUsbIds(kFtdiVendorId, 0x6015));
    EXPECT_FALSE(HasBoxUsbIds(kFtdiVendorId, 0x6006));
    EXPECT_FALSE(HasBoxUsbIds(0x1234, 0x6001));
}

TEST(UsbBoxMatch, PlacesSortByBusThenPortPathWhateverOrderTheyCameIn) {
    const std::vector<UsbDeviceInfo> lowestFirst = {
        Device(1, {1}, "a"), Device(1, {1, 1}, "b"), Device(1, {2, 1}, "c"),
        Device(1, {2, 3}, "d"), Device(1, {4}, "e"), Device(2, {1}, "f"),
    };
    std::vector<UsbDeviceInfo> listed(lowestFirst.rbegin(), lowestFirst.rend());
    std::swap(listed[1], listed[4]);
    std::sort(listed.begin(), listed.end(), LowerPlaceOnBus);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].serialNumber, lowestFirst[i].serialNumber) << i;
    }
    EXPECT_FALSE(LowerPlaceOnBus(lowestFirst[3], lowestFirst[3]));
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

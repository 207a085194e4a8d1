// Finding the box in a listing, and the one write of the output byte, on any BoxLink.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/box_discovery.h"
#include "device/location_identity.h"
#include "device/output_write.h"
#include "device/simulated_box.h"

namespace torvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BoxSerial, EitherTextAnywhereCaseSensitiveWithinTheField) {
    const auto accepts = [](const char* text) {
        char field[16] = {};
        std::memcpy(field, text, std::min(std::strlen(text), sizeof field));
        return IsBoxSerial(field, sizeof field);
    };
    EXPECT_TRUE(accepts("MIRVAX8"));
    EXPECT_TRUE(accepts("ab12ZELKOR5xyz"));
    EXPECT_TRUE(accepts("123456789ZELKOR5"));   // fills all 16 bytes, no NUL
    EXPECT_FALSE(accepts("zelkor5"));
    EXPECT_FALSE(accepts("MIRVAX"));
    EXPECT_FALSE(accepts(""));
    EXPECT_FALSE(IsBoxSerial(nullptr, 16));

    // The field ends at its size, even when the bytes after it would complete a match.
    char serial[16 + 12];
    std::memset(serial, 'X', sizeof serial);
    std::memcpy(serial + 12, "ZELKOR5", 7);
    EXPECT_FALSE(IsBoxSerial(serial, 16));
    EXPECT_TRUE(IsBoxSerial(serial, sizeof serial));
}

// A link that lists what it is given and opens nothing.
class ListingOnly final : public BoxLink {
public:
    std::vector<ListedDevice> devices;
    LinkResult List(std::vector<ListedDevice>& out) override {
        out = devices;
        return LinkResult::Ok;
    }
    LinkResult Open(const std::string&, LinkHandle&) override { return LinkResult::NotOpened; }
    LinkResult SetTimeouts(LinkHandle, std::uint32_t, std::uint32_t) override {
        return LinkResult::InvalidHandle;
    }
    LinkResult EnterBitBang(LinkHandle) override { return LinkResult::InvalidHandle; }
    LinkResult WriteByte(LinkHandle, std::uint8_t, std::uint32_t&) override {
        return LinkResult::InvalidHandle;
    }
    LinkResult Close(LinkHandle) override { return LinkResult::InvalidHandle; }
};

TEST(BoxSearch, TheKeptRecordHoldsTheTextsAsTheProgramAlwaysStoredThem) {
    ListingOnly link;
    link.devices.push_back({"", "", "", true, false});
    link.devices.push_back({"123456789ZELKOR5", std::string(70, 'D'), "9", false, false});
    const BoxSearch search = SearchForBox(link);
    EXPECT_TRUE(search.heldElsewhere);
    ASSERT_TRUE(search.box.has_value());
    EXPECT_EQ(search.box->serial, "123456789ZELKOR");   // its section name too
    EXPECT_EQ(search.box->description, std::string(63, 'D'));
    EXPECT_EQ(search.box->identity, "9");
    EXPECT_EQ(search.box->antennaCount, kAntennaCount);
}

TEST(OutputWriteByte, ReportsWhatHappenedAndAlwaysCloses) {
    SimulatedBox box;
    box.devices.push_back({"x", "", 7});
    const std::string seven = IdentityOfLocation(7);
    EXPECT_EQ(WriteOutputByte(box, IdentityOfLocation(8), 0x0A), OutputWrite::NotOpened);
    EXPECT_EQ(WriteOutputByte(box, "", 0x0A), OutputWrite::NotOpened);
    EXPECT_EQ(WriteOutputByte(box, seven, 0x0A), OutputWrite::Written);
    box.devices[0].bitModeFails = true;
    EXPECT_EQ(WriteOutputByte(box, seven, 0x0B), OutputWrite::ModeRefused);
    box.devices[0].bitModeFails = false;
    box.devices[0].writeFails = true;
    EXPECT_EQ(WriteOutputByte(box, seven, 0x0C), OutputWrite::WriteFailed);
    box.devices[0].writeFails = false;
    box.devices[0].shortWrite = true;   // status 0, nothing taken
    EXPECT_EQ(WriteOutputByte(box, seven, 0x0D), OutputWrite::WriteFailed);
    EXPECT_EQ(box.BytesWritten(), (Bytes{0x0A, 0x0B}));
    EXPECT_EQ(box.OpenHandles(), 0);
}

}  // namespace
}  // namespace torvik

#include "core/profile_file.h"

#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/tests/temp_folder.h"

namespace torvik::profile {
namespace {

using testutil::ReadBytes;
using testutil::TempFolder;
using testutil::WriteBytes;
namespace fs = std::filesystem;

std::vector<std::uint8_t> RandomBytes(std::size_t size, unsigned start) {
    std::mt19937 random(start);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
}

TEST(StructEncoding, MatchesTheKnownVectors) {
    const std::array<std::uint8_t, 4> counting{0x01, 0x02, 0x03, 0x04};
    const std::array<std::uint8_t, 4> deadBeef{0xDE, 0xAD, 0xBE, 0xEF};
    EXPECT_EQ(EncodeStruct(counting.data(), counting.size()), "010203040A");
    EXPECT_EQ(EncodeStruct(deadBeef.data(), deadBeef.size()), "DEADBEEF38");
    EXPECT_EQ(EncodeStruct(nullptr, 0), "00");

    std::array<std::uint8_t, 4> out{};
    ASSERT_TRUE(DecodeStruct("deadbeef38", out.data(), out.size()));  // lower case is accepted
    EXPECT_EQ(out, deadBeef);
    ASSERT_TRUE(DecodeStruct("010203040a", out.data(), out.size()));
    EXPECT_EQ(out, counting);
}

TEST(StructEncoding, RoundTripsAFullConfigBlock) {
    const auto bytes = RandomBytes(530, 1);
    const std::string text = EncodeStruct(bytes.data(), bytes.size());
    EXPECT_EQ(text.size(), 1062u);
    std::vector<std::uint8_t> out(530);
    ASSERT_TRUE(DecodeStruct(text, out.data(), out.size()));
    EXPECT_EQ(out, bytes);
}

TEST(StructEncoding, RefusesDamagedTextAndLeavesTheTargetAlone) {
    const char* damaged[] = {
        "DEADBEEF39",    // wrong checksum
        "DEADBEEF",      // truncated: no checksum
        "DEADBEEF3",     // odd count
        "DEADBEEF3800",  // too long
        "DEADBEXF38",    // not hex
        " DEADBEEF38",   // stray space
        "",
    };
    for (const char* text : damaged) {
        std::array<std::uint8_t, 4> out{0x55, 0x55, 0x55, 0x55};
        EXPECT_FALSE(DecodeStruct(text, out.data(), out.size())) << text;
        EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0x55, 0x55, 0x55, 0x55})) << text;
    }
}

class ProfileFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.File("Torvik.ini");
};

TEST_F(ProfileFile, ReadsOfAMissingFileGiveDefaultsAndCreateNothing) {
    std::array<std::uint8_t, 4> out{7, 7, 7, 7};
    EXPECT_FALSE(ReadString(ini, "S", "K"));
    EXPECT_EQ(ReadInt(ini, "S", "K", 42), 42);
    EXPECT_FALSE(ReadStruct(ini, "S", "K", out.data(), out.size()));
    EXPECT_EQ(out, (std::array<std::uint8_t, 4>{7, 7, 7, 7}));
    EXPECT_FALSE(fs::exists(ini));
}

TEST_F(ProfileFile, WritesCreateFileSectionAndKeyWithCrlf) {
    ASSERT_TRUE(WriteString(ini, "A1_KEYSET", "ANTENNA-1", "1"));
    ASSERT_TRUE(WriteString(ini, "A1_KEYSET", "ANTENNA-2", "0"));
    ASSERT_TRUE(WriteString(ini, "B2_KEYSET", "ANTENNA-1", "0"));
    EXPECT_EQ(ReadBytes(ini),
              "[A1_KEYSET]\r\nANTENNA-1=1\r\nANTENNA-2=0\r\n[B2_KEYSET]\r\nANTENNA-1=0\r\n");
    EXPECT_EQ(ReadInt(ini, "a1_keyset", "antenna-1", 5), 1);
    EXPECT_EQ(ReadInt(ini, "B2_KEYSET", "ANTENNA-1", 5), 0);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST_F(ProfileFile, IntegerReadsFollowTheWindowsRules) {
    WriteBytes(ini, "[S]\r\nA=12abc\r\nB=-3\r\nC=abc\r\nD=\r\nE=\"5\"\r\nF=0x10\r\nG\r\n");
    EXPECT_EQ(ReadInt(ini, "S", "A", 99), 12);
    EXPECT_EQ(ReadInt(ini, "S", "B", 99), -3);
    EXPECT_EQ(ReadInt(ini, "S", "C", 99), 0);
    EXPECT_EQ(ReadInt(ini, "S", "G", 99), 99);
    EXPECT_EQ(ReadInt(ini, "S", "D", 99), 99);
    EXPECT_EQ(ReadInt(ini, "S", "E", 99), 5);
    EXPECT_EQ(ReadInt(ini, "S", "F", 99), 16);
    EXPECT_EQ(ReadString(ini, "S", "E"), "5");
}

TEST_F(ProfileFile, StructsRoundTripAndDamagedValuesFail) {
    const auto bytes = RandomBytes(530, 2);
    ASSERT_TRUE(WriteStruct(ini, "S", "CONFIG", bytes.data(), bytes.size()));
    std::vector<std::uint8_t> out(530);
    ASSERT_TRUE(ReadStruct(ini, "S", "CONFIG", out.data(), out.size()));
    EXPECT_EQ(out, bytes);

    const std::string good = EncodeStruct(bytes.data(), bytes.size());
    const std::vector<std::string> damaged = {good.substr(0, good.size() - 2),
                                              good.substr(1), "\"" + good + "\"",
                                              good.substr(0, 5) + "G" + good.substr(6)};
    for (const std::string& value : damaged) {
        WriteBytes(ini, "[S]\r\nCONFIG=" + value + "\r\n");
        std::vector<std::uint8_t> untouched(530, 0xAA);
        EXPECT_FALSE(ReadStruct(ini, "S", "CONFIG", untouched.data(), untouched.size()));
        EXPECT_EQ(untouched, std::vector<std::uint8_t>(530, 0xAA));
    }
    // Surrounding whitespace and anything after the digits do not matter; the wrong size does.
    WriteBytes(ini, "[S]\nCONFIG = " + good + " \n");
    EXPECT_TRUE(ReadStruct(ini, "S", "CONFIG", out.data(), out.size()));
    EXPECT_FALSE(ReadStruct(ini, "S", "CONFIG", out.data(), 529));
    WriteBytes(ini, "[S]\nCONFIG=\"" + good + "0 ; old\"\n");
    out.assign(530, 0);
    EXPECT_TRUE(ReadStruct(ini, "S", "CONFIG", out.data(), out.size()));
    EXPECT_EQ(out, bytes);
}

TEST_F(ProfileFile, AWriteKeepsEveryOtherLineByteForByte) {
    const std::string before =
        "; Torvik settings\r\n"
        "\r\n"
        "[A1_KEYSET]\r\n"
        "ANTENNA-1=1\r\n"
        "  ; note inside\r\n"
        "ANTENNA-2 = 0\r\n"
        "\r\n"
        "[Other]\r\n"
        "junk line without equals\r\n"
        "ANTENNA-2=5\r\n";
    WriteBytes(ini, before);
    ASSERT_TRUE(WriteString(ini, "A1_KEYSET", "ANTENNA-2", "1"));
    std::string expected = before;
    expected.replace(expected.find("ANTENNA-2 = 0"), 13, "ANTENNA-2 =1");
    EXPECT_EQ(ReadBytes(ini), expected);
    EXPECT_EQ(ReadInt(ini, "Other", "ANTENNA-2", 0), 5);
}

TEST_F(ProfileFile, AUtf16FileIsReadAndKeepsItsEncodingAndEveryCharacter) {
    // "[S]", "K=1", "N=<e acute><CJK><U+1F600><lone surrogate>", in either byte order.
    const std::u16string lines = u"[S]\r\nK=1\r\nN=\u00E9\u4E2D\U0001F600\xD800\r\n";
    for (const bool bigEndian : {false, true}) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : lines) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        WriteBytes(ini, bytes);
        EXPECT_EQ(ReadInt(ini, "S", "K", 7), 1);
        EXPECT_EQ(ReadString(ini, "S", "N"), "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\xED\xA0\x80");
        ASSERT_TRUE(WriteString(ini, "S", "K", "2"));
        std::string expected = bytes;
        expected[bigEndian ? 17 : 16] = '2';  // the "1" after "K="
        EXPECT_EQ(ReadBytes(ini), expected) << bigEndian;

        // A last byte that cannot be a whole character would be lost: no write.
        WriteBytes(ini, bytes + "x");
        EXPECT_EQ(ReadInt(ini, "S", "K", 7), 1);
        EXPECT_FALSE(WriteString(ini, "S", "K", "3"));
        EXPECT_EQ(ReadBytes(ini), bytes + "x");
    }
}

TEST_F(ProfileFile, HandlesLinesOfSeveralMegabytes) {
    const std::string huge(5 * 1024 * 1024, 'x');
    WriteBytes(ini, "[Big]\nBLOB=" + huge + "\n[S]\nK=1");
    EXPECT_EQ(ReadInt(ini, "S", "K", 0), 1);
    EXPECT_EQ(ReadString(ini, "Big", "BLOB")->size(), huge.size());
    ASSERT_TRUE(WriteString(ini, "S", "K", "2"));
    EXPECT_EQ(ReadBytes(ini), "[Big]\r\nBLOB=" + huge + "\r\n[S]\r\nK=2\r\n");
}

TEST_F(ProfileFile, RefusesValuesThatWouldBreakTheFile) {
    WriteBytes(ini, "[S]\r\nK=1\r\n");
    EXPECT_FALSE(WriteString(ini, "S", "K", "2\r\n[Evil]"));
    EXPECT_FALSE(WriteString(ini, "S", "K=", "2"));
    EXPECT_FALSE(WriteString(ini, "", "K", "2"));
    EXPECT_EQ(ReadBytes(ini), "[S]\r\nK=1\r\n");
}

TEST_F(ProfileFile, SeveralKeysGoInOneWriteAllOrNone) {
    WriteBytes(ini, "; kept\r\n[A1_KEYSET]\r\nANTENNA-2=1\r\n");
    const KeyValue antennas[] = {{"ANTENNA-1", "0"}, {"ANTENNA-2", "0"}, {"ANTENNA-3", "1"}};
    ASSERT_TRUE(WriteStrings(ini, "A1_KEYSET", antennas));
    EXPECT_EQ(ReadBytes(ini),
              "; kept\r\n[A1_KEYSET]\r\nANTENNA-2=0\r\nANTENNA-1=0\r\nANTENNA-3=1\r\n");

    // One key that cannot be stored keeps the others from being written too.
    const KeyValue damaged[] = {{"ANTENNA-1", "1"}, {"ANTENNA-2", "1\n[Evil]"}};
    EXPECT_FALSE(WriteStrings(ini, "A1_KEYSET", damaged));
    EXPECT_EQ(ReadInt(ini, "A1_KEYSET", "ANTENNA-1", 7), 0);
}

// Permission tests: a process that may write anyway (root) cannot show the refusal.
bool PermissionsBind(const std::string& path) {
    return ::access(path.c_str(), W_OK) != 0;
}

TEST_F(ProfileFile, AReadOnlyFileIsLeftIntactAndTheWriteFails) {
    WriteBytes(ini, "[S]\r\nK=1\r\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read);
    if (!PermissionsBind(ini)) GTEST_SKIP() << "running with rights that ignore file modes";
    EXPECT_FALSE(WriteString(ini, "S", "K", "2"));
    EXPECT_EQ(ReadInt(ini, "S", "K", 0), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST_F(ProfileFile, AnUnreadableFileIsNeverReplaced) {
    WriteBytes(ini, "[S]\r\nK=1\r\n");
    fs::permissions(ini, fs::perms::owner_write);
    if (::access(ini.c_str(), R_OK) == 0) GTEST_SKIP() << "running with rights that ignore file modes";
    EXPECT_FALSE(WriteString(ini, "S", "K", "2"));
    fs::permissions(ini, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(ReadBytes(ini), "[S]\r\nK=1\r\n");
}

TEST_F(ProfileFile, AReadOnlyFolderIsLeftIntactAndTheWriteFails) {
    const fs::path locked = folder.path() / "locked";
    fs::create_directory(locked);
    const std::string file = (locked / "Torvik.ini").string();
    WriteBytes(file, "[S]\r\nK=1\r\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (!PermissionsBind(locked.string())) GTEST_SKIP() << "running with rights that ignore modes";
    EXPECT_FALSE(WriteString(file, "S", "K", "2"));
    EXPECT_FALSE(WriteString((locked / "New.ini").string(), "S", "K", "2"));
    EXPECT_EQ(ReadBytes(file), "[S]\r\nK=1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
}

TEST_F(ProfileFile, AWriteIntoAMissingFolderFails) {
    EXPECT_FALSE(WriteString(folder.File("absent/Torvik.ini"), "S", "K", "1"));
}

TEST_F(ProfileFile, AWriteKeepsTheFileMode) {
    WriteBytes(ini, "[S]\r\nK=1\r\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteString(ini, "S", "K", "2"));
    EXPECT_EQ(fs::status(ini).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace torvik::profile

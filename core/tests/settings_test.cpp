#include "core/settings.h"

#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/fakes/temp_folder.h"

namespace torvik {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

// The Windows separator is tested by core/win32/tests on Windows.
TEST(ProgramFilePath, JoinsFolderAndNameWithOneSeparator) {
    EXPECT_EQ(ProgramFilePath("/opt/torvik", "Torvik.ini"), "/opt/torvik/Torvik.ini");
    EXPECT_EQ(ProgramFilePath("/", "Torvik.ini"), "/Torvik.ini");
    EXPECT_EQ(ProgramFilePath("", "Torvik.ini"), "Torvik.ini");
    const std::string longest(254, 'd');
    const std::string path = ProgramFilePath(longest, "FTD2XX.dll");
    EXPECT_EQ(path.size(), 254u + 1 + 10);
    EXPECT_EQ(path.substr(0, 254), longest);
    EXPECT_EQ(path.substr(255), "FTD2XX.dll");
}

TEST(SectionName, StopsAtTheNulOrTheEndOfTheField) {
    struct Node {
        char serial[16];
        char after[8];
    } node{};
    std::memcpy(node.serial, "A1", 2);
    EXPECT_EQ(SectionName(node.serial, sizeof node.serial), "A1_KEYSET");
    std::memset(node.serial, 'S', sizeof node.serial);
    std::memset(node.after, 'X', sizeof node.after);
    EXPECT_EQ(SectionName(node.serial, sizeof node.serial), std::string(16, 'S') + "_KEYSET");
    EXPECT_EQ(SectionName(nullptr, 16), "_KEYSET");
}

class IniSettingsFile : public ::testing::Test {
protected:
    TempFolder folder;
    IniSettings settings{folder.path().string()};
};

TEST_F(IniSettingsFile, IntegersRoundTripAndMissingOnesGiveTheDefault) {
    EXPECT_EQ(settings.Path(), folder.File("Torvik.ini"));
    EXPECT_EQ(settings.ReadIniInt("A1_KEYSET", kKeyAntenna[0], 1), 1);
    ConfigBlock block = MainDefaults();
    EXPECT_FALSE(settings.ReadConfig("A1_KEYSET", block));
    EXPECT_EQ(std::memcmp(&block, MainDefaults().data(), sizeof block), 0);
    EXPECT_FALSE(fs::exists(settings.Path())) << "loading must not create the file";

    settings.WriteIniInt("A1_KEYSET", kKeyAntenna[1], 5);
    settings.WriteIniInt("A1_KEYSET", kKeySwitchMixer, -2);
    EXPECT_EQ(settings.ReadIniInt("A1_KEYSET", kKeyAntenna[1], 0), 5);
    EXPECT_EQ(settings.ReadIniInt("A1_KEYSET", kKeySwitchMixer, 0), -2);
    EXPECT_EQ(ReadBytes(settings.Path()), "[A1_KEYSET]\r\nANTENNA-2=5\r\nSWITCHMIXER=-2\r\n");
}

// A damaged block reads as missing but is still known to be stored: the setup dialog tells the
// two apart.
TEST_F(IniSettingsFile, ConfigBlockRoundTripsAndDamageIsStoredButUnreadable) {
    EXPECT_FALSE(settings.HasConfig("A1_KEYSET"));
    ConfigBlock stored = SetupDefaults();
    std::strcpy(stored[4].programName, "Brannoc.exe");
    stored[2].winFlag[1] = 1;
    settings.WriteConfig("A1_KEYSET", stored);
    ConfigBlock loaded = MainDefaults();
    ASSERT_TRUE(settings.ReadConfig("A1_KEYSET", loaded));
    EXPECT_EQ(std::memcmp(&loaded, &stored, sizeof loaded), 0);

    std::string text = ReadBytes(settings.Path());
    EXPECT_EQ(text.size(), std::string("[A1_KEYSET]\r\nCONFIG=\r\n").size() + 1062);
    text[text.find("CONFIG=") + 7] ^= 1;  // one flipped bit in the first digit
    WriteBytes(settings.Path(), text);
    ConfigBlock untouched = MainDefaults();
    EXPECT_FALSE(settings.ReadConfig("A1_KEYSET", untouched));
    EXPECT_EQ(std::memcmp(&untouched, MainDefaults().data(), sizeof untouched), 0);
    EXPECT_TRUE(settings.HasConfig("A1_KEYSET"));
    EXPECT_FALSE(settings.HasConfig("B2_KEYSET"));
}

TEST_F(IniSettingsFile, TwoBoxesKeepSeparateSections) {
    const std::string a1 = SectionName("A1", 16);
    const std::string b2 = SectionName("B2", 16);
    settings.WriteIniInt(a1, kKeyAntenna[0], 0);
    settings.WriteIniInt(b2, kKeyAntenna[0], 1);
    settings.WriteIniInt(a1, kKeyAntenna[2], 1);
    ConfigBlock onlyB2 = SetupDefaults();
    settings.WriteConfig(b2, onlyB2);

    EXPECT_EQ(settings.ReadIniInt(a1, kKeyAntenna[0], 7), 0);
    EXPECT_EQ(settings.ReadIniInt(b2, kKeyAntenna[0], 7), 1);
    EXPECT_EQ(settings.ReadIniInt(b2, kKeyAntenna[2], 7), 7);
    ConfigBlock block{};
    EXPECT_FALSE(settings.ReadConfig(a1, block));
    EXPECT_TRUE(settings.ReadConfig(b2, block));
}

TEST(IniSettingsLongFolder, WorksInAFolderOf254Characters) {
    TempFolder base;
    std::string folder = base.path().string();
    ASSERT_LT(folder.size(), 200u) << "temporary folder too deep for this test";
    // Pad with nested folders (each name well under the usual 255-byte limit) to 254.
    while (folder.size() < 254) {
        const std::size_t room = 254 - folder.size() - 1;
        folder += "/" + std::string(std::min<std::size_t>(room, 100), 'p');
        if (room == 0) folder.pop_back();
        fs::create_directory(folder);
    }
    ASSERT_EQ(folder.size(), 254u);
    ASSERT_TRUE(fs::is_directory(folder));

    IniSettings settings(folder);
    settings.WriteIniInt("A1_KEYSET", kKeyAntenna[0], 1);
    settings.WriteConfig("A1_KEYSET", MainDefaults());
    EXPECT_EQ(settings.ReadIniInt("A1_KEYSET", kKeyAntenna[0], 0), 1);
    ConfigBlock block{};
    EXPECT_TRUE(settings.ReadConfig("A1_KEYSET", block));
    EXPECT_TRUE(fs::exists(folder + "/Torvik.ini"));
}

}  // namespace
}  // namespace torvik

#include "core/linux/xdg_config.h"

#include <sys/stat.h>

#include <functional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/settings.h"
#include "tests/fakes/temp_folder.h"

namespace torvik {
namespace {

TEST(XdgConfig, ConfigHomeFollowsTheBaseDirectoryRule) {
    struct Case {
        std::optional<std::string_view> xdg, home;
        std::optional<std::string> configHome;
    };
    const Case cases[] = {
        {"/srv/cfg", "/home/op", "/srv/cfg"},
        {"/srv/cfg//", "/home/op", "/srv/cfg"},
        {"relative/cfg", "/home/op", "/home/op/.config"},  // a relative value is invalid
        {"", "/home/op/", "/home/op/.config"},
        {std::nullopt, "/home/op", "/home/op/.config"},
        {std::nullopt, "/", "/.config"},
        {std::nullopt, "op", std::nullopt},
        {std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConfigHome(c.xdg, c.home), c.configHome) << c.xdg.value_or("-") << " " << c.home.value_or("-");
    }
    EXPECT_EQ(ProgramFilePath(SettingsFolder("/home/op/.config"), kSettingsFileName),
              "/home/op/.config/torvik/Torvik.ini");
}

TEST(XdgConfig, MakeFoldersCreatesTheMissingPartsForTheUserAlone) {
    const testing::TempFolder temp;
    const std::string nested = temp.File("a/b/torvik");
    ASSERT_FALSE(std::filesystem::exists(temp.File("a")));
    EXPECT_TRUE(fileio::MakeFolders(nested));
    struct stat info {};
    ASSERT_EQ(::stat(temp.File("a/b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(fileio::MakeFolders(nested));  // already there

    testing::WriteBytes(temp.File("file"), "x");
    EXPECT_FALSE(fileio::MakeFolders(temp.File("file")));
    EXPECT_FALSE(fileio::MakeFolders(temp.File("file/sub")));
}

}  // namespace
}  // namespace torvik

namespace torvik {
namespace {

// Whatever the first write of a new account is, it finds the settings folder missing: each
// kind makes it, for the user alone, and stores its value; reads never make it.
TEST(SettingsInTheXdgFolder, EveryKindOfFirstWriteMakesTheFolder) {
    const std::string section = "AT0001A_KEYSET";
    const profile::KeyValue rule[] = {{"RULE-1", "7000000,7300000,2"}};
    const IniInt antennas[] = {{"ANTENNA-1", 1}, {"ANTENNA-2", 0}};
    const std::vector<std::pair<const char*, std::function<void(IniSettings&)>>> firstWrites = {
        {"int", [&](IniSettings& s) { s.WriteIniInt(section, "ANTENNA-1", 1); }},
        {"ints", [&](IniSettings& s) { s.WriteIniInts(section, antennas); }},
        {"config", [&](IniSettings& s) { s.WriteConfig(section, ConfigBlock{}); }},
        {"strings", [&](IniSettings& s) { EXPECT_TRUE(s.WriteStrings("AT0001A_BANDS", rule)); }},
    };
    for (const auto& [name, write] : firstWrites) {
        const testing::TempFolder temp;
        IniSettings settings(SettingsFolder(temp.File("config")));
        ConfigBlock block{};
        EXPECT_EQ(settings.ReadIniInt(section, "ANTENNA-1", 7), 7);
        EXPECT_FALSE(settings.ReadConfig(section, block));
        EXPECT_FALSE(settings.HasConfig(section));
        EXPECT_FALSE(settings.ReadString("AT0001A_BANDS", "RULE-1"));
        EXPECT_FALSE(std::filesystem::exists(temp.File("config"))) << name;

        write(settings);
        EXPECT_EQ(settings.Path(), temp.File("config/torvik/Torvik.ini"));
        struct stat info {};
        ASSERT_EQ(::stat(temp.File("config/torvik").c_str(), &info), 0) << name;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << name;
        EXPECT_TRUE(std::filesystem::exists(settings.Path())) << name;
    }
}

}  // namespace
}  // namespace torvik

#include "core/linux/xdg_config.h"
#include "core/linux/xdg_settings.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

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
    EXPECT_TRUE(MakeFolders(nested));
    struct stat info {};
    ASSERT_EQ(::stat(temp.File("a/b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(MakeFolders(nested));  // already there

    testing::WriteBytes(temp.File("file"), "x");
    EXPECT_FALSE(MakeFolders(temp.File("file")));
    EXPECT_FALSE(MakeFolders(temp.File("file/sub")));
}

}  // namespace
}  // namespace torvik

namespace torvik {
namespace {

TEST(XdgSettings, TheFolderComesWithTheFirstWriteNotWithReads) {
    const testing::TempFolder temp;
    XdgSettings settings(SettingsFolder(temp.File("config")));
    ConfigBlock block{};
    EXPECT_EQ(settings.ReadIniInt("AT0001A_KEYSET", "ANTENNA-1", 7), 7);
    EXPECT_FALSE(settings.ReadConfig("AT0001A_KEYSET", block));
    EXPECT_FALSE(std::filesystem::exists(temp.File("config")));

    settings.WriteIniInt("AT0001A_KEYSET", "ANTENNA-1", 1);
    EXPECT_EQ(settings.Path(), temp.File("config/torvik/Torvik.ini"));
    EXPECT_EQ(testing::ReadBytes(settings.Path()), "[AT0001A_KEYSET]\r\nANTENNA-1=1\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(temp.File("config/torvik").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

}  // namespace
}  // namespace torvik

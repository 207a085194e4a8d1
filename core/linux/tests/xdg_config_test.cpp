#include "core/linux/xdg_config.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "core/tests/temp_folder.h"

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
    const testutil::TempFolder temp;
    const std::string nested = temp.File("a/b/torvik");
    ASSERT_FALSE(std::filesystem::exists(temp.File("a")));
    EXPECT_TRUE(MakeFolders(nested));
    struct stat info {};
    ASSERT_EQ(::stat(temp.File("a/b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(MakeFolders(nested));  // already there

    testutil::WriteBytes(temp.File("file"), "x");
    EXPECT_FALSE(MakeFolders(temp.File("file")));
    EXPECT_FALSE(MakeFolders(temp.File("file/sub")));
}

}  // namespace
}  // namespace torvik

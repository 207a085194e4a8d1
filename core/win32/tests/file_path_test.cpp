#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/file_io.h"
#include "core/settings.h"

namespace torvik {
namespace {

TEST(ProgramFilePath, JoinsWithOneBackslashOnWindows) {
    EXPECT_EQ(ProgramFilePath("C:\\Torvik", "Torvik.ini"), "C:\\Torvik\\Torvik.ini");
    EXPECT_EQ(ProgramFilePath("C:\\", "Torvik.ini"), "C:\\Torvik.ini");
    EXPECT_EQ(ProgramFilePath("C:\\Torvik/", "Torvik.ini"), "C:\\Torvik/Torvik.ini");
}

TEST(WholeFile, ReplacedFileReadsBackAndAFolderIsRefused) {
    char folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = ProgramFilePath(folder, "torvik-file-test.ini");
    ASSERT_TRUE(fileio::ReplaceWholeFile(path, "[S]\r\nK=1\r\n"));
    EXPECT_EQ(fileio::ReadWholeFile(path), "[S]\r\nK=1\r\n");
    ASSERT_TRUE(fileio::ReplaceWholeFile(path, "[S]\r\nK=2\r\n"));
    EXPECT_EQ(fileio::ReadWholeFile(path), "[S]\r\nK=2\r\n");
    DeleteFileA(path.c_str());
    EXPECT_EQ(fileio::ReadWholeFile(path), std::nullopt);
    EXPECT_EQ(fileio::ReadFileForUpdate(path), std::string());

    EXPECT_FALSE(fileio::ReplaceWholeFile(folder, "x"));
    EXPECT_EQ(fileio::ReadFileForUpdate(folder), std::nullopt);
}

// The store on Windows: a first write makes a missing folder (and its parent); a hand-damaged
// CONFIG is stored but unreadable, which the setup dialog tells from nothing stored.
TEST(IniSettingsOnWindows, FirstWriteMakesTheFolderAndDamageIsTold) {
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string parent =
        ProgramFilePath(temp, "torvik-store-" + std::to_string(GetCurrentProcessId()));
    const std::string folder = ProgramFilePath(parent, "Torvik");
    IniSettings settings(folder);
    EXPECT_FALSE(settings.HasConfig("A1_KEYSET"));
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);

    const profile::KeyValue rule[] = {{"RULE-1", "7000000,7300000,2"}};
    EXPECT_TRUE(settings.WriteStrings("A1_BANDS", rule));
    EXPECT_EQ(settings.ReadString("A1_BANDS", "RULE-1"), "7000000,7300000,2");

    ASSERT_TRUE(fileio::ReplaceWholeFile(settings.Path(), "[A1_KEYSET]\r\nCONFIG=0102\r\n"));
    ConfigBlock block{};
    EXPECT_FALSE(settings.ReadConfig("A1_KEYSET", block));
    EXPECT_TRUE(settings.HasConfig("A1_KEYSET"));

    DeleteFileA(settings.Path().c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(parent.c_str());
}

}  // namespace
}  // namespace torvik

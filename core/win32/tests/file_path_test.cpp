#include <windows.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace torvik

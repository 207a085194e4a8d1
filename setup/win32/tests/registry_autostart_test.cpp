#include "setup/win32/registry_autostart.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace torvik::win32 {
namespace {

TEST(FormatRunCommand, AppendsProgramAndHideWithABackslash) {
    EXPECT_EQ(FormatRunCommand("C:\\Radio\\Torvik"), "C:\\Radio\\Torvik\\Torvik.exe HIDE");
    EXPECT_EQ(FormatRunCommand("/home/op"), "/home/op\\Torvik.exe HIDE");
}

TEST(FormatRunCommand, QuotesAPathWithSpacesAndRefusesWhatWouldNotFitTheBuffer) {
    EXPECT_EQ(FormatRunCommand("C:\\Program Files\\Torvik"),
              "\"C:\\Program Files\\Torvik\\Torvik.exe\" HIDE");
    // "\Torvik.exe HIDE" is 16 characters: 239 + 16 + the zero fill 256 exactly.
    ASSERT_TRUE(FormatRunCommand(std::string(239, 'a')).has_value());
    EXPECT_EQ(FormatRunCommand(std::string(239, 'a'))->size(), 255u);
    EXPECT_FALSE(FormatRunCommand(std::string(240, 'a')).has_value());
    // The quotes count against the buffer too.
    std::string spaced(237, 'a');
    spaced[5] = ' ';
    EXPECT_EQ(FormatRunCommand(spaced)->size(), 255u);
    EXPECT_FALSE(FormatRunCommand(spaced + 'a').has_value());
}

// A Run key of the test's own under HKCU, removed before and after each case.
class RegistryAutostartTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "Software\\TorvikTests\\Run";
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

    // The value's data, or nothing when it cannot be read.
    static std::optional<std::string> Stored() {
        std::array<char, 1024> data{};
        DWORD size = static_cast<DWORD>(data.size() - 1);
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        const LONG status = RegQueryValueExA(key, "Antenna Switch", nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(data.data()), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) return std::nullopt;
        return std::string(data.data());
    }
};

TEST_F(RegistryAutostartTest, EnableWritesTheRunCommandAndDisableRemovesIt) {
    RegistryAutostart store("C:\\Radio", HKEY_CURRENT_USER, kKey);
    EXPECT_FALSE(store.Enabled());
    EXPECT_FALSE(store.Disable());  // nothing there to remove

    EXPECT_TRUE(store.Enable());   // the key is created when missing
    EXPECT_EQ(Stored(), "C:\\Radio\\Torvik.exe HIDE");
    EXPECT_TRUE(store.Enabled());

    EXPECT_TRUE(store.Disable());
    EXPECT_EQ(Stored(), std::nullopt);
    EXPECT_FALSE(store.Enabled());
}

TEST_F(RegistryAutostartTest, AFolderTooLongRegistersNothing) {
    RegistryAutostart store(std::string(240, 'd'), HKEY_CURRENT_USER, kKey);
    EXPECT_FALSE(store.Enable());
    EXPECT_EQ(Stored(), std::nullopt);
}

TEST_F(RegistryAutostartTest, AnyReadableDataCountsAndOverlongDataReadsAsAbsent) {
    RegistryAutostart store("C:\\Radio", HKEY_CURRENT_USER, kKey);
    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, kKey, "Velmora", "C:\\x\\Torvik.exe HIDE"),
              ERROR_SUCCESS);
    EXPECT_FALSE(store.Enabled());  // another name is not ours

    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, kKey, "Antenna Switch", "D:\\other.exe"),
              ERROR_SUCCESS);
    EXPECT_TRUE(store.Enabled());
    const std::string fits(254, 'x');   // 255 bytes with the zero
    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, kKey, "Antenna Switch", fits.c_str()),
              ERROR_SUCCESS);
    EXPECT_TRUE(store.Enabled());
    const std::string overlong(255, 'x');
    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, kKey, "Antenna Switch", overlong.c_str()),
              ERROR_SUCCESS);
    EXPECT_FALSE(store.Enabled());

    // Enabling over an overlong entry replaces it with our command.
    EXPECT_TRUE(store.Enable());
    EXPECT_EQ(Stored(), "C:\\Radio\\Torvik.exe HIDE");
}

}  // namespace
}  // namespace torvik::win32

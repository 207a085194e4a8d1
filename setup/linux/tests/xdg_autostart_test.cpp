#include "setup/linux/xdg_autostart.h"

#include <gtest/gtest.h>

#include "core/tests/temp_folder.h"
#include "setup/linux/desktop_entry.h"

namespace torvik {
namespace {

using Arguments = std::vector<std::string>;

TEST(DesktopEntry, ExecQuotesReservedCharactersInBothEscapingLayers) {
    EXPECT_EQ(desktop::ExecValue({"/usr/bin/torvik", "HIDE"}), "/usr/bin/torvik HIDE");
    EXPECT_EQ(desktop::ExecValue({"/opt/My Radio/torvik", "HIDE"}), "\"/opt/My Radio/torvik\" HIDE");
    // A literal backslash in a quoted argument takes four backslashes in the file, a dollar sign
    // two and a dollar; a percent sign is doubled so that it is no field code.
    EXPECT_EQ(desktop::ExecValue({"/a\\b$c\"d`e%f/torvik", "HIDE"}),
              "\"/a\\\\\\\\b\\\\$c\\\\\"d\\\\`e%%f/torvik\" HIDE");
    EXPECT_EQ(desktop::ExecValue({"/100%/torvik"}), "/100%%/torvik");
}

TEST(DesktopEntry, EveryWritablePathReadsBackAsItWasAndTheRestIsRefused) {
    const Arguments odd[] = {
        {"/usr/bin/torvik", "HIDE"},
        {"/home/op/new\nline/tab\there/cr\rhere/torvik", "HIDE"},
        {"/home/j\xC3\xB6rg/~#;&|<>*?()'/torvik", "HIDE"},
        {"/x\\\\y/$HOME/`id`/\"q\"/%U/torvik", "%%", ""},
        {"/trailing\\", "HIDE"},
    };
    for (const Arguments& arguments : odd) {
        const auto value = desktop::ExecValue(arguments);
        ASSERT_TRUE(value.has_value()) << arguments[0];
        EXPECT_EQ(value->find_first_of("\n\r\t"), std::string::npos) << *value;  // one line
        EXPECT_EQ(desktop::ExecArguments(*value), arguments) << *value;
    }
    const Arguments refused[] = {
        {},
        {"torvik", "HIDE"},                 // not absolute
        {"/opt/a=b/torvik", "HIDE"},        // '=' is never allowed in the program
        {"/opt/bell\a/torvik", "HIDE"},
        {"/opt/del\x7F/torvik", "HIDE"},
        {"/opt/latin1-\xF6/torvik", "HIDE"}, // not UTF-8
        {"/usr/bin/torvik", "HI\x01" "DE"},
    };
    for (const Arguments& arguments : refused) {
        EXPECT_FALSE(desktop::ExecValue(arguments).has_value()) << (arguments.empty() ? "" : arguments[0]);
    }
    // Values written by hand: \s is a space, an unclosed quote or text glued to one is no Exec.
    EXPECT_EQ(desktop::ExecArguments("  torvik   %U  "), (Arguments{"torvik", "%U"}));
    EXPECT_EQ(desktop::ExecArguments("/x\\sHIDE"), (Arguments{"/x", "HIDE"}));
    EXPECT_FALSE(desktop::ExecArguments("\"/opt/never closed HIDE").has_value());
    EXPECT_FALSE(desktop::ExecArguments("\"/opt/x\"HIDE").has_value());
    EXPECT_FALSE(desktop::ExecArguments("\"/opt/x\\\\\"").has_value());  // the escaped quote closes nothing
}

TEST(DesktopEntry, OnlyTheFirstDesktopEntryGroupIsRead) {
    const auto keys = desktop::DesktopEntryGroup(
        "# comment\r\n[Other]\r\nExec=/bin/other\r\n[Desktop Entry]\r\n Exec = /bin/ours HIDE \r\n"
        "Name[de]=Antennenschalter\r\nno key here\r\nExec=/bin/second\r\n#Hidden=true\r\n"
        "[Desktop Entry]\r\nHidden=true\r\n");
    ASSERT_TRUE(keys.has_value());
    EXPECT_EQ(keys->at("Exec"), "/bin/ours HIDE");
    EXPECT_EQ(keys->at("Name[de]"), "Antennenschalter");
    EXPECT_EQ(keys->count("Hidden"), 0u);
    EXPECT_FALSE(desktop::DesktopEntryGroup("Exec=/bin/x\n[Desktop Entry ]\n").has_value());
}

TEST(XdgAutostart, AnEntryCountsAsEnabledUnlessHiddenAndAsOursWhenItRunsThisProgramHidden) {
    const std::string program = "/opt/My Radio/torvik";
    const std::string ours = *AutostartEntryText(program);
    struct Case {
        const char* what;
        std::string text;
        bool enabled, isOurs;
    };
    const Case cases[] = {
        {"written by us", ours, true, true},
        {"hidden by the user", ours + "Hidden=true\n", false, true},
        {"switched off in the session's settings",
         "[Desktop Entry]\nExec=\"/opt/My Radio/torvik\" hide\nX-GNOME-Autostart-enabled=false\n", false, true},
        {"another folder", "[Desktop Entry]\nExec=/usr/bin/torvik HIDE\n", true, false},
        {"started visible", "[Desktop Entry]\nExec=\"/opt/My Radio/torvik\"\n", true, false},
        {"no Exec", "[Desktop Entry]\nType=Application\n", false, false},
        {"broken Exec", "[Desktop Entry]\nExec=\"/opt/My Radio/torvik HIDE\n", false, false},
        {"no group", "Exec=/opt/x HIDE\n", false, false},
        {"binary garbage", std::string("\0\xFF[Desktop Entry]\0Exec=\n", 24), false, false},
        {"oversized", ours + std::string(70000, '#'), false, false},
    };
    for (const Case& c : cases) {
        const AutostartEntryState state = ReadAutostartEntry(c.text, program);
        EXPECT_EQ(state.enabled, c.enabled) << c.what;
        EXPECT_EQ(state.ours, c.isOurs) << c.what;
    }
}

TEST(XdgAutostart, EnableWritesTheFolderAndEntryDisableRemovesIt) {
    const testutil::TempFolder temp;
    const XdgAutostart autostart(temp.File("config"), "/opt/My Radio/torvik");
    EXPECT_EQ(autostart.EntryPath(), temp.File("config/autostart/torvik.desktop"));
    EXPECT_FALSE(autostart.Enabled());

    ASSERT_TRUE(autostart.Enable());
    EXPECT_TRUE(autostart.Enabled());
    EXPECT_EQ(testutil::ReadBytes(autostart.EntryPath()), *AutostartEntryText("/opt/My Radio/torvik"));

    // An entry the user hid is not enabled; enabling again replaces it with ours.
    testutil::WriteBytes(autostart.EntryPath(), "[Desktop Entry]\nExec=/usr/bin/torvik HIDE\nHidden=true\n");
    EXPECT_FALSE(autostart.Enabled());
    ASSERT_TRUE(autostart.Enable());
    EXPECT_TRUE(ReadAutostartEntry(testutil::ReadBytes(autostart.EntryPath()), "/opt/My Radio/torvik").ours);

    EXPECT_TRUE(autostart.Disable());
    EXPECT_FALSE(std::filesystem::exists(autostart.EntryPath()));
    EXPECT_FALSE(autostart.Enabled());
    EXPECT_TRUE(autostart.Disable());  // nothing left to remove

    // The name leading to an endless stream is read no further than an entry can be.
    std::filesystem::create_symlink("/dev/zero", autostart.EntryPath());
    EXPECT_FALSE(autostart.Enabled());
    EXPECT_TRUE(autostart.Disable());
    EXPECT_TRUE(std::filesystem::exists("/dev/zero"));

    const XdgAutostart unwritable(temp.File("other"), "relative/torvik");
    EXPECT_FALSE(unwritable.Enable());
    EXPECT_FALSE(std::filesystem::exists(temp.File("other")));
}

}  // namespace
}  // namespace torvik

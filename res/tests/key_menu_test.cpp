// The key drop-down (menu 151 in Torvik.rc) must list exactly the items of kKeyMenuItems, in the
// same positions with the same ids and texts: the setup dialog maps positions and ids to key
// codes through that table. Read with the core's reader of the resource script.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "controls/dialog_template.h"
#include "setup/key_table.h"

namespace torvik {
namespace {

std::string ReadResourceFile(const char* name) {
    std::ifstream file(std::string(TORVIK_RESOURCE_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(KeyMenuResource, MatchesTheKeyTableItemByItem) {
    const std::string script = ReadResourceFile("Torvik.rc");
    const std::string header = ReadResourceFile("resource.h");
    ASSERT_FALSE(script.empty()) << "cannot read the resource script";

    const auto menu = ParseMenuResource(script, header, "IDR_KEY_MENU");
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(menu->popup, "Key");
    ASSERT_EQ(menu->items.size(), kKeyMenuItems.size());
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        EXPECT_EQ(menu->items[i].id, kKeyMenuItems[i].itemId) << "position " << i;
        EXPECT_EQ(menu->items[i].text, kKeyMenuItems[i].text) << "position " << i;
    }
}

TEST(KeyMenuResource, HasTheIdTheSetupDialogLoads) {
    EXPECT_EQ(DefinedResourceId(ReadResourceFile("resource.h"), "IDR_KEY_MENU"),
              kKeyMenuResourceId);
}

// A menu the reader cannot take whole gives nothing rather than a part: cut before its ends,
// an item without its id, and a name that is no menu.
TEST(KeyMenuResource, DamagedMenusGiveNothing) {
    const std::string script = ReadResourceFile("Torvik.rc");
    const std::size_t begin = script.find("IDR_KEY_MENU MENU");
    ASSERT_NE(begin, std::string::npos);
    const std::size_t firstItem = script.find("MENUITEM", begin);
    EXPECT_FALSE(ParseMenuResource(script.substr(0, firstItem + 30), "", "IDR_KEY_MENU"));
    std::string noId = script;
    noId.replace(noId.find(", 2073", begin), 6, "");
    EXPECT_FALSE(ParseMenuResource(noId, "", "IDR_KEY_MENU"));
    EXPECT_FALSE(ParseMenuResource(script, "", "IDD_TORVIK_DIALOG"));
    EXPECT_TRUE(ParseMenuResource(script, "", "IDR_KEY_MENU"));
}

}  // namespace
}  // namespace torvik

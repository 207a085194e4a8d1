// The key drop-down (menu 151 in Torvik.rc) must list exactly the items of kKeyMenuItems, in the
// same positions with the same ids and texts: the setup dialog maps positions and ids to key
// codes through that table.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "setup/key_table.h"

namespace {

struct MenuItem {
    std::string text;
    int id;
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The MENUITEM lines of the menu resource with the given id, and the name of its one popup.
std::vector<MenuItem> MenuItems(const std::string& script, const std::string& menuName,
                                std::string* popup) {
    std::vector<MenuItem> items;
    const std::size_t start = script.find("\n" + menuName + " MENU");
    if (start == std::string::npos) {
        return items;
    }
    std::istringstream lines(script.substr(start));
    const std::regex popupLine(R"(^\s*POPUP\s+"([^"]*)\")");
    const std::regex itemLine(R"(^\s*MENUITEM\s+"([^"]*)\"\s*,\s*(\d+)\s*$)");
    int depth = 0;
    std::string line;
    std::getline(lines, line);   // the blank remainder before the MENU line
    while (std::getline(lines, line)) {
        std::smatch match;
        if (std::regex_search(line, match, popupLine)) {
            *popup = match[1];
        } else if (std::regex_search(line, match, itemLine)) {
            items.push_back({match[1], std::stoi(match[2])});
        } else if (line.find("BEGIN") != std::string::npos) {
            ++depth;
        } else if (line.find("END") != std::string::npos && --depth == 0) {
            break;
        }
    }
    return items;
}

TEST(KeyMenuResource, MatchesTheKeyTableItemByItem) {
    const std::string script = ReadFile(TORVIK_RESOURCE_DIR "/Torvik.rc");
    ASSERT_FALSE(script.empty()) << "cannot read the resource script";

    std::string popup;
    const std::vector<MenuItem> items = MenuItems(script, "IDR_KEY_MENU", &popup);
    EXPECT_EQ(popup, "Key");
    ASSERT_EQ(items.size(), torvik::kKeyMenuItems.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].id, torvik::kKeyMenuItems[i].itemId) << "position " << i;
        EXPECT_EQ(items[i].text, torvik::kKeyMenuItems[i].text) << "position " << i;
    }
}

TEST(KeyMenuResource, HasTheIdTheSetupDialogLoads) {
    const std::string header = ReadFile(TORVIK_RESOURCE_DIR "/resource.h");
    std::smatch match;
    const std::regex define(R"(#define\s+IDR_KEY_MENU\s+(\d+))");
    ASSERT_TRUE(std::regex_search(header, match, define));
    EXPECT_EQ(std::stoi(match[1]), torvik::kKeyMenuResourceId);
}

}  // namespace

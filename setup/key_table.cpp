#include "setup/key_table.h"

namespace torvik {

std::uint8_t CodeForItemId(int itemId) {
    for (const KeyMenuItem& item : kKeyMenuItems) {
        if (item.itemId == itemId) return item.code;
    }
    return kKeyMenuItems[0].code;
}

int PositionForCode(std::uint8_t code) {
    for (std::size_t position = 0; position < kKeyMenuItems.size(); ++position) {
        if (kKeyMenuItems[position].code == code) return static_cast<int>(position);
    }
    return 0;
}

std::string_view KeyTextAt(int position) {
    if (position < 0 || position >= static_cast<int>(kKeyMenuItems.size())) return {};
    return kKeyMenuItems[static_cast<std::size_t>(position)].text;
}

}  // namespace torvik

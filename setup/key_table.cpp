#include "setup/key_table.h"

namespace torvik {

std::uint8_t CodeForItemId(int itemId) {
    for (const KeyMenuItem& item : kKeyMenuItems) {
        if (item.itemId == itemId) return StoredCodeOf(item.key);
    }
    return StoredCodeOf(kKeyMenuItems[0].key);
}

int PositionForCode(std::uint8_t code) {
    const Key key = KeyFromStoredCode(code);
    for (std::size_t position = 0; position < kKeyMenuItems.size(); ++position) {
        if (kKeyMenuItems[position].key == key) return static_cast<int>(position);
    }
    return 0;
}

std::string_view KeyTextAt(int position) {
    if (position < 0 || position >= static_cast<int>(kKeyMenuItems.size())) return {};
    return kKeyMenuItems[static_cast<std::size_t>(position)].text;
}

}  // namespace torvik

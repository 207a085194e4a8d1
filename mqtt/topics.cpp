#include "mqtt/topics.h"

namespace torvik::mqtt {

std::string SerialWord(std::string_view serial) {
    if (serial.empty()) return "box";
    std::string word(serial);
    for (char& c : word) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!kept) c = '_';
    }
    return word;
}

BoxTopics TopicsFor(std::string_view prefix, std::string_view serial) {
    const std::string base = std::string(prefix) + "/" + SerialWord(serial) + "/";
    return {base + "state", base + "set", base + "availability"};
}

}  // namespace torvik::mqtt

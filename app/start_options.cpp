#include "app/start_options.h"

namespace torvik {

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

bool HasHideWord(std::string_view commandTail) {
    return AsciiUpper(commandTail).find(kHideWord) != std::string::npos;
}

}  // namespace torvik

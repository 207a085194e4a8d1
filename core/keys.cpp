#include "core/keys.h"

namespace torvik {
namespace {

constexpr std::uint8_t kStoredF1 = 0x70;
constexpr std::uint8_t kStoredNumPad0 = 0x60;
constexpr int kFunctionKeys = 12;
constexpr int kNumPadKeys = 10;

}  // namespace

Key KeyFromStoredCode(std::uint8_t code) {
    if (code >= kStoredF1 && code < kStoredF1 + kFunctionKeys) {
        return Key::Function(code - kStoredF1 + 1);
    }
    if (code >= kStoredNumPad0 && code < kStoredNumPad0 + kNumPadKeys) {
        return Key::NumPad(code - kStoredNumPad0);
    }
    return {KeyGroup::kUnnamed, code};
}

std::uint8_t StoredCodeOf(Key key) {
    switch (key.group) {
    case KeyGroup::kFunction:
        if (key.number >= 1 && key.number <= kFunctionKeys) {
            return static_cast<std::uint8_t>(kStoredF1 + key.number - 1);
        }
        break;
    case KeyGroup::kNumPad:
        if (key.number < kNumPadKeys) {
            return static_cast<std::uint8_t>(kStoredNumPad0 + key.number);
        }
        break;
    case KeyGroup::kUnnamed:
        return key.number;
    }
    return 0;
}

}  // namespace torvik

#include "setup/key_warnings.h"

#include <array>
#include <cstddef>

namespace torvik {
namespace {

// Key and modifiers as the hotkey builder sees them: any nonzero flag is on.
std::array<int, 5> Combination(const FunctionConfig& record, std::size_t slot) {
    return {record.keyCode[slot], record.altFlag[slot] != 0, record.ctrlFlag[slot] != 0,
            record.shiftFlag[slot] != 0, record.winFlag[slot] != 0};
}

// "1", "1 and 3", "1, 2 and 3".
std::string ListOf(const std::vector<int>& antennas) {
    std::string text;
    for (std::size_t i = 0; i < antennas.size(); ++i) {
        if (i > 0) text += i + 1 == antennas.size() ? " and " : ", ";
        text += std::to_string(antennas[i]);
    }
    return text;
}

}  // namespace

std::vector<std::string> KeyWarnings(const FunctionConfig& record) {
    std::vector<std::string> lines;
    if (record.deactivated != 0) return lines;

    // With three antennas at most one group can share a combination.
    std::vector<int> shared;
    for (std::size_t slot = 0; slot < kUsedAntennas; ++slot) {
        for (std::size_t other = 0; other < kUsedAntennas; ++other) {
            if (other != slot && Combination(record, slot) == Combination(record, other)) {
                shared.push_back(static_cast<int>(slot) + 1);
                break;
            }
        }
    }
    if (!shared.empty()) {
        lines.push_back("Antennas " + ListOf(shared) + " have the same keys: they choose only antenna " +
                        std::to_string(shared.front()) + ".");
    }

    std::vector<int> bare;
    for (std::size_t slot = 0; slot < kUsedAntennas; ++slot) {
        const std::array<int, 5> keys = Combination(record, slot);
        if (keys[1] == 0 && keys[2] == 0 && keys[3] == 0 && keys[4] == 0) {
            bare.push_back(static_cast<int>(slot) + 1);
        }
    }
    if (!bare.empty()) {
        lines.push_back((bare.size() == 1 ? "Antenna " : "Antennas ") + ListOf(bare) +
                        ": a key without ALT, CTRL, SHIFT or WIN is taken from every program.");
    }
    return lines;
}

}  // namespace torvik

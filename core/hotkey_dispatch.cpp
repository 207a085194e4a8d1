#include "core/hotkey_dispatch.h"

#include "core/field_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace torvik {
namespace {

std::string_view ProgramNameOf(const FunctionConfig& record) {
    return FieldText(record.programName);
}

bool IsAntennaSlot(int slot) {
    return slot >= 0 && slot < kUsedAntennas;
}

bool Matches(FocusQuery& focus, std::uint32_t processId, std::string_view text) {
    const std::optional<std::string> name = focus.ExecutableName(processId);
    return name && name->find(text) != std::string::npos;
}

}  // namespace

int ProcessMatches(FocusQuery& focus, std::uint32_t processId, const char* text) {
    if (text == nullptr) {
        return 0;
    }
    return Matches(focus, processId, text) ? 1 : 0;
}

std::optional<int> ChooseAntenna(const HotkeyBinding& entry, const ConfigBlock& configs,
                                 FocusQuery& focus) {
    const std::optional<std::uint32_t> processId = focus.FocusedProcessId();
    if (!processId || entry.bindingCount == 0) {
        return std::nullopt;
    }
    if (entry.configIndex[0] == 0) {
        const int slot = entry.antennaIndex[0];
        return IsAntennaSlot(slot) ? std::optional<int>(slot) : std::nullopt;
    }
    const int count = std::min<int>(entry.bindingCount, kMaxBindings);
    for (int i = 0; i < count; ++i) {
        const int config = entry.configIndex[i];
        if (config >= kConfigCount) {
            continue;
        }
        if (!Matches(focus, *processId, ProgramNameOf(configs[static_cast<std::size_t>(config)]))) {
            continue;
        }
        const int slot = entry.antennaIndex[i];
        if (IsAntennaSlot(slot)) {
            return slot;
        }
    }
    return std::nullopt;
}

}  // namespace torvik

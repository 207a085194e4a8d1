#include "core/hotkey_table.h"

namespace torvik {
namespace {

Modifiers ModifiersOf(const FunctionConfig& record, int slot) {
    return {.alt = record.altFlag[slot] != 0,
            .ctrl = record.ctrlFlag[slot] != 0,
            .shift = record.shiftFlag[slot] != 0,
            .win = record.winFlag[slot] != 0};
}

void AddBinding(HotkeyTable& table, Key virtualKey, Modifiers modifiers, int config, int slot) {
    for (HotkeyBinding& entry : table) {
        if (entry.modifiers != modifiers || entry.virtualKey != virtualKey) {
            continue;
        }
        // The first entry with this combination counts. Global keeps a combination it uses
        // to itself.
        if (entry.configIndex[0] == 0) {
            return;
        }
        // Four numbered records of three slots can bind one combination twelve times; the
        // entry holds the first eight, and a ninth or later binding is dropped.
        if (entry.bindingCount >= kMaxBindings) {
            return;
        }
        entry.configIndex[entry.bindingCount] = static_cast<std::uint8_t>(config);
        entry.antennaIndex[entry.bindingCount] = static_cast<std::uint8_t>(slot);
        ++entry.bindingCount;
        return;
    }
    HotkeyBinding entry;
    entry.virtualKey = virtualKey;
    entry.hotkeyId = kFirstHotkeyId + static_cast<std::int32_t>(table.size());
    entry.modifiers = modifiers;
    entry.bindingCount = 1;
    entry.configIndex[0] = static_cast<std::uint8_t>(config);
    entry.antennaIndex[0] = static_cast<std::uint8_t>(slot);
    table.push_back(entry);
}

}  // namespace

void ClearHotkeys(HotkeyTable& table, HotkeyRegistrar& registrar) {
    for (const HotkeyBinding& entry : table) {
        registrar.UnregisterHotkey(entry.hotkeyId);
    }
    table.clear();
    table.shrink_to_fit();
}

void BuildHotkeys(HotkeyTable& table, const ConfigBlock& configs, HotkeyRegistrar& registrar) {
    ClearHotkeys(table, registrar);
    for (int config = 0; config < kConfigCount; ++config) {
        const FunctionConfig& record = configs[static_cast<std::size_t>(config)];
        if (record.deactivated != 0) {
            continue;
        }
        for (int slot = 0; slot < kUsedAntennas; ++slot) {
            AddBinding(table, KeyFromStoredCode(record.keyCode[slot]), ModifiersOf(record, slot),
                       config, slot);
        }
    }
    // A combination the system refuses stays in the table and never fires.
    for (const HotkeyBinding& entry : table) {
        registrar.RegisterHotkey(entry.hotkeyId, entry.modifiers, entry.virtualKey);
    }
}

int FindHotkey(const HotkeyTable& table, std::int32_t hotkeyId) {
    for (std::size_t position = 0; position < table.size(); ++position) {
        if (table[position].hotkeyId == hotkeyId) {
            return static_cast<int>(position);
        }
    }
    return -1;
}

}  // namespace torvik

#pragma once
// One registered hotkey per distinct key combination, with the ordered (configuration,
// antenna) bindings it serves.

#include <cstdint>
#include <vector>

#include "core/function_config.h"
#include "core/keys.h"

namespace torvik {

inline constexpr std::int32_t kFirstHotkeyId = 2400;
inline constexpr int kMaxBindings = 8;

struct HotkeyBinding {
    Key virtualKey;                // read from the record's keyCode byte
    std::int32_t hotkeyId = 0;
    Modifiers modifiers;
    std::uint8_t bindingCount = 0;
    std::uint8_t configIndex[kMaxBindings] = {};
    std::uint8_t antennaIndex[kMaxBindings] = {};
};

using HotkeyTable = std::vector<HotkeyBinding>;

// The window system's global hotkeys, as the platform offers them.
class HotkeyRegistrar {
public:
    virtual ~HotkeyRegistrar() = default;
    // False when the system refuses the combination (another program holds it).
    virtual bool RegisterHotkey(std::int32_t id, Modifiers modifiers, Key key) = 0;
    virtual void UnregisterHotkey(std::int32_t id) = 0;
};

// Unregisters every entry in table order and empties the table.
void ClearHotkeys(HotkeyTable& table, HotkeyRegistrar& registrar);

// Clears, merges the active records' combinations into the table, and registers every entry.
void BuildHotkeys(HotkeyTable& table, const ConfigBlock& configs, HotkeyRegistrar& registrar);

// Position of the entry with this id, or -1.
int FindHotkey(const HotkeyTable& table, std::int32_t hotkeyId);

}  // namespace torvik

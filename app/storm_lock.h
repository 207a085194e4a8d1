#pragma once
// The storm lock of a box: while locked, the box's outputs are its protect mask (by default
// every output off) and every change is refused, whoever asks. Stored per box in Torvik.ini,
// the section "<serial>_LOCK" beside "<serial>_KEYSET" (never touched): LOCKED (0 or 1),
// PROTECT (the protect mask, 0 to 15) and SAVED (the antenna mask from before the lock, which
// unlocking restores). So a locked station stays locked through an exit, a restart and a replug.

#include <cstdint>
#include <string>

#include "app/antenna_names.h"
#include "core/settings.h"

namespace torvik {

struct StormLock {
    bool locked = false;
    std::uint32_t protectMask = 0;   // bits 0 to 3: antennas 1 to 3 and the fourth output
    std::uint32_t savedMask = 0;
};

// "<serial>_LOCK" from the box's keyset section name.
std::string LockSectionOf(const std::string& keysetSection);

StormLock LoadLock(SettingsStore& settings, const std::string& keysetSection);
void StoreLock(SettingsStore& settings, const std::string& keysetSection, const StormLock& lock);

inline constexpr const char* kLockMenuText = "Lock: all antennas off";
inline constexpr const char* kLockedTip = "locked: antennas held";

// The window's line while locked, in the tray item's words: "Locked: all antennas off", or the
// antennas the protect mask keeps on by name ("Locked: Mini-Whip on"); empty while unlocked.
std::string LockLineText(const StormLock& lock, const AntennaNames& names);

}  // namespace torvik

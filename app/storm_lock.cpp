#include "app/storm_lock.h"

namespace torvik {
namespace {

constexpr const char* kKeyLocked = "LOCKED";
constexpr const char* kKeyProtect = "PROTECT";
constexpr const char* kKeySaved = "SAVED";

}  // namespace

std::string LockSectionOf(const std::string& keysetSection) {
    return BoxSectionOf(keysetSection, "_LOCK");
}

StormLock LoadLock(SettingsStore& settings, const std::string& keysetSection) {
    const std::string section = LockSectionOf(keysetSection);
    StormLock lock;
    lock.locked = settings.ReadIniInt(section, kKeyLocked, 0) != 0;
    // A hand-edited mask keeps its four bits only.
    lock.protectMask = static_cast<std::uint32_t>(settings.ReadIniInt(section, kKeyProtect, 0)) & 0xF;
    lock.savedMask = static_cast<std::uint32_t>(settings.ReadIniInt(section, kKeySaved, 1)) & 0xF;
    return lock;
}

void StoreLock(SettingsStore& settings, const std::string& keysetSection, const StormLock& lock) {
    const IniInt entries[] = {{kKeyLocked, lock.locked ? 1 : 0},
                              {kKeyProtect, static_cast<std::int32_t>(lock.protectMask)},
                              {kKeySaved, static_cast<std::int32_t>(lock.savedMask)}};
    settings.WriteIniInts(LockSectionOf(keysetSection), entries);
}

std::string LockLineText(const StormLock& lock, const AntennaNames& names) {
    if (!lock.locked) return {};
    const unsigned antennas = lock.protectMask & 0x7;
    if (antennas == 0) return "Locked: all antennas off";
    return "Locked: " + MaskAsNames(names, antennas) + " on";
}

}  // namespace torvik

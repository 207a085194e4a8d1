// The antenna state rules of the main window: switch mode keeps exactly the chosen antenna
// on, mixer mode any combination. Every change goes through SetAntenna: the rule, the output
// byte, the refresh of the buttons, then the three antenna keys.
#include "app/switch_controller.h"
#include "device/output_write.h"

#include <span>

namespace torvik {
namespace {

constexpr int kFlags = 4;   // antennas 1 to 3 and the fourth output

// Bit k set when flag k is on (nonzero).
std::int32_t FlagMask(const std::int32_t antennaOn[kFlags]) {
    std::int32_t mask = 0;
    for (int k = 0; k < kFlags; ++k) {
        if (antennaOn[k] != 0) {
            mask |= 1 << k;
        }
    }
    return mask;
}

}  // namespace

void SwitchController::SetAntenna(std::int32_t value, int index) {
    // Locked or keyed: every way in ends here or before, and changes nothing.
    if (devicePresent == 0 || Held()) {
        return;
    }
    index = ((index % kFlags) + kFlags) % kFlags;
    if (mixerMode != 0) {
        antennaOn[index] = value;
    } else {
        // The fourth flag is not cleared; index 3 sets it while antennas 1 to 3 go off.
        antennaOn[0] = antennaOn[1] = antennaOn[2] = 0;
        antennaOn[index] = 1;
    }
    runFlag = kRunning;
    WriteOutput();
    RefreshControls();
    const std::string section = Section();
    const IniInt antennaKeys[] = {{kKeyAntenna[0], antennaOn[0]},
                                  {kKeyAntenna[1], antennaOn[1]},
                                  {kKeyAntenna[2], antennaOn[2]}};
    settings_.WriteIniInts(section, antennaKeys);
}

void SwitchController::AntennaAction(int antenna) {
    if (antenna < 0 || antenna > 2 || Held()) {
        return;
    }
    if (mixerMode != 0) {
        // A toggle by on/off rather than by bit 0: a flag loaded as, say, 4 or 5 is on and
        // must go off, not flip between 4 and 5 and stay on.
        antennaOn[antenna] = antennaOn[antenna] != 0 ? 0 : 1;
    }
    SetAntenna(antennaOn[antenna], antenna);
}

void SwitchController::SetMixerMode() {
    if (devicePresent == 0 || Held()) {
        return;
    }
    mixerMode = 1;
    settings_.WriteIniInt(Section(), kKeySwitchMixer, mixerMode);
    WriteOutput();
    RefreshControls();
}

void SwitchController::SetSwitchMode() {
    if (devicePresent == 0 || Held()) {
        return;
    }
    mixerMode = 0;
    // Every antenna key this rule changes is stored with the mode in one replacement of the
    // file: a mode stored alone would let a reload or restart bring several antennas back in
    // switch mode.
    IniInt entries[1 + 3] = {{kKeySwitchMixer, mixerMode}};
    std::size_t count = 1;
    bool kept = false;
    for (int antenna = 0; antenna < 3; ++antenna) {
        if (antennaOn[antenna] == 0) {
            continue;
        }
        if (kept) {
            antennaOn[antenna] = 0;
            entries[count++] = {kKeyAntenna[antenna], 0};
        }
        kept = true;
    }
    if (!kept) {
        antennaOn[0] = 1;
        entries[count++] = {kKeyAntenna[0], 1};
    }
    settings_.WriteIniInts(Section(), std::span<const IniInt>(entries, count));
    WriteOutput();   // one write for the change
    RefreshControls();
}

std::int32_t SwitchController::SetAntennaMask(std::uintptr_t mask) {
    const auto bits = static_cast<std::int32_t>(mask & 0xF);
    if (Held()) {
        return FlagMask(antennaOn);   // the protect mask; nothing changes
    }
    for (int k = 0; k < kFlags; ++k) {
        const std::int32_t wanted = (bits >> k) & 1;
        const std::int32_t old = antennaOn[k];
        antennaOn[k] = wanted;
        if (old != wanted) {
            SetAntenna(wanted, k);
        }
    }
    return FlagMask(antennaOn);
}

std::int32_t SwitchController::GetAntennaMask() const {
    // Before any box was found the node is still zero, so the count reads 0.
    return (FlagMask(antennaOn) << 16) | static_cast<std::int32_t>(deviceNode.antennaCount & 0xFFFF);
}

}  // namespace torvik

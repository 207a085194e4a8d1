// What one hotkey press costs from the table lookup to the byte on the box: Execute with the
// hotkey command, DispatchHotkey, AntennaAction and SetAntenna with their one output write, the
// refresh and the three stored keys, against the simulated box. Compared with the bare output write alone
// (open, timeouts, bit-bang mode, write, close). Settings are kept in memory and the window does
// nothing, so the file system does not hide the cost of the logic; a last figure uses the
// real Torvik.ini in a temporary folder.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "app/switch_controller.h"
#include "bench/quiet_host.h"
#include "device/output_write.h"
#include "device/location_identity.h"
#include "device/simulated_box.h"

namespace {

using namespace torvik;
using bench::NoRegistrar;
using bench::NoView;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kLocation = 0x21;
constexpr int kClearEvery = 1024;   // keeps the box's call log from growing without end

class MemoryStore final : public SettingsStore {
public:
    std::int32_t ReadIniInt(const std::string& section, const char* key,
                            std::int32_t defaultValue) override {
        const auto found = ints_.find(section + '/' + key);
        return found == ints_.end() ? defaultValue : found->second;
    }
    void WriteIniInt(const std::string& section, const char* key, std::int32_t value) override {
        ints_[section + '/' + key] = value;
    }
    bool ReadConfig(const std::string&, ConfigBlock& block) override {
        if (!config_) return false;
        block = *config_;
        return true;
    }
    bool HasConfig(const std::string&) override { return config_.has_value(); }
    void WriteConfig(const std::string&, const ConfigBlock& block) override { config_ = block; }
    std::optional<std::string> ReadString(const std::string& section,
                                          std::string_view key) override {
        const auto found = texts_.find(section + '/' + std::string(key));
        if (found == texts_.end()) return std::nullopt;
        return found->second;
    }
    bool WriteStrings(const std::string& section,
                      std::span<const profile::KeyValue> entries) override {
        for (const auto& entry : entries) texts_[section + '/' + std::string(entry.key)] = entry.value;
        return true;
    }
    bool HoldsUnicode() override { return true; }

private:
    std::map<std::string, std::int32_t> ints_;
    std::map<std::string, std::string> texts_;
    std::optional<ConfigBlock> config_;
};

// A fixed focused program, looked up by name as the process list would be.
class FixedFocus final : public FocusQuery {
public:
    std::optional<std::uint32_t> FocusedProcessId() override { return 4242; }
    std::optional<std::string> ExecutableName(std::uint32_t) override { return "Brannoc.exe"; }
};

template <typename Step>
double NanosecondsPerCall(int iterations, SimulatedBox& box, Step step) {
    for (int i = 0; i < iterations / 10; ++i) {
        step(i);
        if (i % kClearEvery == 0) box.ClearCalls();
    }
    box.ClearCalls();
    const auto start = Clock::now();
    for (int i = 0; i < iterations; ++i) {
        step(i);
        if (i % kClearEvery == 0) box.ClearCalls();
    }
    const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
    return elapsed.count() / iterations;
}

// Presses alternate between two hotkeys so that every press changes the antenna.
double PressCost(int iterations, SettingsStore& store, const ConfigBlock* records,
                 long& checksum) {
    SimulatedBox box;
    box.devices.push_back({"A1MIRVAX8", "bench box", kLocation});
    NoView view;
    NoRegistrar registrar;
    FixedFocus focus;
    SwitchController controller(box, store, registrar, focus, view);
    if (records != nullptr) {
        store.WriteConfig("A1MIRVAX8_KEYSET", *records);
    }
    controller.FindDevice();
    const double cost = NanosecondsPerCall(iterations, box, [&](int i) {
        controller.Execute(Command{Verb::Hotkey, 0, i % 2 == 0 ? 2400 : 2401});
    });
    checksum += controller.GetAntennaMask();
    return cost;
}

}  // namespace

int main() {
    constexpr int kIterations = 400000;
    long checksum = 0;

    SimulatedBox bareBox;
    bareBox.devices.push_back({"A1MIRVAX8", "bench box", kLocation});
    const std::string identity = IdentityOfLocation(kLocation);
    const double bare = NanosecondsPerCall(kIterations, bareBox, [&](int i) {
        const auto byte = static_cast<std::uint8_t>(i % 2 == 0 ? 0x0A : 0x0C);
        checksum += static_cast<long>(WriteOutputByte(bareBox, identity, byte));
    });

    MemoryStore memory;
    const double global = PressCost(kIterations, memory, nullptr, checksum);

    // Global off: the press goes through the bindings of records 1 and 2 by program name,
    // and record 2 (Brannoc.exe) is the one in front.
    ConfigBlock numbered = MainDefaults();
    numbered[0].deactivated = 1;
    MemoryStore memory2;
    const double byName = PressCost(kIterations, memory2, &numbered, checksum);

    std::printf("bare output write (open, timeouts, mode, write, close): %6.1f ns\n", bare);
    std::printf("hotkey press, Global binding:                 %10.1f ns  (%.2f x bare)\n",
                global, global / bare);
    std::printf("hotkey press, by program name:                %10.1f ns  (%.2f x bare)\n",
                byName, byName / bare);
    std::printf("  (a press makes one output write)\n");

    std::random_device random;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("torvik-hotkey-bench-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(folder, error)) {
        IniSettings ini(folder.string());
        constexpr int kFileIterations = 2000;
        const double withFile = PressCost(kFileIterations, ini, nullptr, checksum);
        std::printf("hotkey press, Global, real Torvik.ini:         %10.1f ns  (%.2f x bare)\n",
                    withFile, withFile / bare);
        std::filesystem::remove_all(folder, error);
    } else {
        std::printf("hotkey press with the real Torvik.ini: no temporary folder\n");
    }
    std::printf("(checksum %ld)\n", checksum);
    return 0;
}

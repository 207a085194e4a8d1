// How long one settings load takes: the CONFIG block and the four integer keys of one box,
// read from a realistic Torvik.ini with three boxes, each key read through the file as the
// program does it (nothing cached between reads).

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/function_config.h"
#include "core/ini_text.h"
#include "core/profile_file.h"
#include "core/settings.h"

namespace {

using namespace torvik;
using Clock = std::chrono::steady_clock;

std::string SettingsText() {
    const ConfigBlock block = MainDefaults();
    const std::string config = profile::EncodeStruct(block.data(), sizeof block);
    std::string text = "; Torvik settings\r\n; written by the setup dialog\r\n\r\n";
    for (const char* serial : {"MIRVAX8A1", "ZELKOR5B2", "MIRVAX8C3"}) {
        text += std::string("[") + serial + "_KEYSET]\r\n";
        text += "CONFIG=" + config + "\r\n";
        text += "ANTENNA-1=1\r\nANTENNA-2=0\r\nANTENNA-3=1\r\nSWITCHMIXER=1\r\n\r\n";
    }
    return text;
}

template <typename Load>
double MicrosecondsPerCall(int iterations, Load load) {
    for (int i = 0; i < iterations / 10; ++i) load();  // warm the caches
    const auto start = Clock::now();
    for (int i = 0; i < iterations; ++i) load();
    const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
    return elapsed.count() / iterations;
}

}  // namespace

int main() {
    std::random_device random;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("torvik-bench-" + std::to_string(random()));
    std::filesystem::create_directory(folder);
    const std::string text = SettingsText();
    IniSettings settings(folder.string());
    std::ofstream(settings.Path(), std::ios::binary) << text;

    // The last section, so the search walks the whole file.
    const std::string section = "MIRVAX8C3_KEYSET";
    long checksum = 0;
    auto loadFromFile = [&] {
        ConfigBlock block = MainDefaults();
        checksum += settings.ReadConfig(section, block) ? block[1].keyCode[0] : -1;
        checksum += settings.ReadIniInt(section, kKeyAntenna[0], 1);
        checksum += settings.ReadIniInt(section, kKeyAntenna[1], 0);
        checksum += settings.ReadIniInt(section, kKeyAntenna[2], 0);
        checksum += settings.ReadIniInt(section, kKeySwitchMixer, 0);
    };
    auto loadFromText = [&] {
        ConfigBlock block = MainDefaults();
        const auto config = profile::FindValue(text, section, kKeyConfig);
        checksum += config && profile::DecodeStruct(*config, block.data(), sizeof block);
        for (const char* key : {kKeyAntenna[0], kKeyAntenna[1], kKeyAntenna[2], kKeySwitchMixer}) {
            checksum += profile::IntFromValue(profile::FindValue(text, section, key), 0);
        }
    };

    const int iterations = 20000;
    const double fileMicros = MicrosecondsPerCall(iterations, loadFromFile);
    const double textMicros = MicrosecondsPerCall(iterations, loadFromText);
    std::filesystem::remove_all(folder);

    std::printf("settings file: %zu bytes, 3 boxes, CONFIG of 530 bytes + 4 integer keys\n",
                text.size());
    std::printf("load from file (5 file reads):  %8.2f us per load\n", fileMicros);
    std::printf("of which parsing and decoding:  %8.2f us per load\n", textMicros);
    std::printf("(checksum %ld)\n", checksum);
    return checksum > 0 ? 0 : 1;
}

#pragma once
// The settings file in memory: integers, texts and CONFIG blocks per section, every read and write
// recorded in order ("SECTION KEY", "SECTION KEY=value", "SECTION CONFIG"), integer writes
// also into a shared journal as "store KEY=value" when given one.

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings.h"

namespace torvik::testing {

class MemorySettings final : public SettingsStore {
public:
    explicit MemorySettings(std::vector<std::string>* journal = nullptr) : journal_(journal) {}

    std::map<std::pair<std::string, std::string>, std::int32_t> ints;
    std::map<std::string, ConfigBlock> configs;
    std::map<std::pair<std::string, std::string>, std::string> texts;
    std::vector<std::string> writes;
    std::vector<std::string> reads;
    int configWrites = 0;
    bool scribbleOnFailedRead = false;   // a failed CONFIG read leaves garbage in the block
    std::set<std::string> unreadable;    // sections whose CONFIG is stored but damaged

    std::int32_t ReadIniInt(const std::string& section, const char* key,
                            std::int32_t defaultValue) override {
        reads.push_back(section + " " + key);
        const auto found = ints.find({section, key});
        return found == ints.end() ? defaultValue : found->second;
    }
    void WriteIniInt(const std::string& section, const char* key, std::int32_t value) override {
        writes.push_back(section + " " + key + "=" + std::to_string(value));
        if (journal_ != nullptr) journal_->push_back("store " + writes.back().substr(section.size() + 1));
        ints[{section, key}] = value;
    }
    // Each call is one replacement of the file: its keys, joined by spaces.
    std::vector<std::string> replacements;
    void WriteIniInts(const std::string& section, std::span<const IniInt> entries) override {
        std::string keys;
        for (const IniInt& entry : entries) {
            keys += (keys.empty() ? "" : " ") + std::string(entry.key);
            WriteIniInt(section, entry.key, entry.value);
        }
        replacements.push_back(keys);
    }
    bool ReadConfig(const std::string& section, ConfigBlock& block) override {
        reads.push_back(section + " CONFIG");
        const auto found = configs.find(section);
        if (found == configs.end() || unreadable.count(section) != 0) {
            if (scribbleOnFailedRead) std::memset(&block, 0xA5, sizeof block);
            return false;
        }
        block = found->second;
        return true;
    }
    bool HasConfig(const std::string& section) override {
        return configs.count(section) != 0 || unreadable.count(section) != 0;
    }
    void WriteConfig(const std::string& section, const ConfigBlock& block) override {
        writes.push_back(section + " CONFIG");
        ++configWrites;
        configs[section] = block;
        unreadable.erase(section);
    }

    bool unicode = false;        // the file is UTF-16
    bool refuseWrites = false;   // every text write fails, as a read-only file does
    std::optional<std::string> ReadString(const std::string& section,
                                          std::string_view key) override {
        reads.push_back(section + " " + std::string(key));
        const auto found = texts.find({section, std::string(key)});
        if (found == texts.end()) return std::nullopt;
        return found->second;
    }
    bool WriteStrings(const std::string& section,
                      std::span<const profile::KeyValue> entries) override {
        if (refuseWrites) return false;
        for (const profile::KeyValue& entry : entries) {
            writes.push_back(section + " " + std::string(entry.key) + "=" + std::string(entry.value));
            texts[{section, std::string(entry.key)}] = entry.value;
        }
        return true;
    }
    bool HoldsUnicode() override { return unicode; }

    // The stored integer, or nothing when the key was never stored.
    std::optional<std::int32_t> Int(const std::string& section, const char* key) const {
        const auto found = ints.find({section, key});
        if (found == ints.end()) return std::nullopt;
        return found->second;
    }

private:
    std::vector<std::string>* journal_;
};

}  // namespace torvik::testing

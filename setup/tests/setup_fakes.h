#pragma once
// In-memory stand-ins for the settings file, the Run key and the dialog window.

#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/settings.h"
#include "setup/autostart.h"
#include "setup/key_table.h"
#include "setup/setup_model.h"

namespace torvik::testing {

class FakeSettings final : public SettingsStore {
public:
    std::map<std::string, ConfigBlock> stored;  // CONFIG per section
    std::set<std::string> unreadable;           // sections whose CONFIG is stored but damaged
    bool scribbleOnFailedRead = false;          // a failed read leaves garbage behind
    int configWrites = 0;

    std::int32_t ReadIniInt(const std::string&, const char*, std::int32_t value) override {
        return value;
    }
    void WriteIniInt(const std::string&, const char*, std::int32_t) override {}
    bool ReadConfig(const std::string& section, ConfigBlock& block) override {
        const auto found = stored.find(section);
        if (found == stored.end() || unreadable.count(section) != 0) {
            if (scribbleOnFailedRead) std::memset(&block, 0xA5, sizeof block);
            return false;
        }
        block = found->second;
        return true;
    }
    bool HasConfig(const std::string& section) override {
        return stored.count(section) != 0 || unreadable.count(section) != 0;
    }
    void WriteConfig(const std::string& section, const ConfigBlock& block) override {
        ++configWrites;
        stored[section] = block;
        unreadable.erase(section);
    }
};

class FakeAutostart final : public AutostartStore {
public:
    std::map<std::string, std::string, std::less<>> values;
    int writes = 0;
    int deletes = 0;

    std::optional<std::string> Query(std::string_view name) override {
        const auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
    bool Write(std::string_view name, std::string_view data) override {
        ++writes;
        values[std::string(name)] = std::string(data);
        return true;
    }
    bool Delete(std::string_view name) override {
        ++deletes;
        const auto found = values.find(name);
        if (found == values.end()) return false;
        values.erase(found);
        return true;
    }
};

// What each control of the dialog shows.
class FakeView final : public SetupView {
public:
    struct Control {
        bool shown = true;
        bool enabled = true;
        bool checked = false;
        std::string text;
        int keyPosition = -1;
    };
    std::map<int, Control> controls;
    int calls = 0;

    void ShowControl(int id, bool show) override { ++calls; controls[id].shown = show; }
    void EnableControl(int id, bool enable) override { ++calls; controls[id].enabled = enable; }
    void SetChecked(int id, bool checked) override { ++calls; controls[id].checked = checked; }
    void SetText(int id, std::string_view text) override {
        ++calls;
        controls[id].text = std::string(text);
    }
    void SelectKey(int id, int position) override { ++calls; controls[id].keyPosition = position; }

    const Control& At(int id) { return controls[id]; }
    bool Shown(int id) { return At(id).shown; }
    bool Enabled(int id) { return At(id).enabled; }
    bool Checked(int id) { return At(id).checked; }
    const std::string& Text(int id) { return At(id).text; }
    // The key button's caption: the text of the item it selected.
    std::string KeyCaption(int id) { return std::string(KeyTextAt(At(id).keyPosition)); }
    // The user types into the edit control.
    void Type(int id, std::string_view text) { controls[id].text = std::string(text); }
};

}  // namespace torvik::testing

#pragma once
// The system's hotkey service as a test sees it: every registration and unregistration in
// order ("reg 2400", "unreg 2400", also into a shared journal when given one), and the key
// combination each id holds now. Ids in refused are refused, as for a combination another
// program holds.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/hotkey_table.h"

namespace torvik::testing {

struct Combo {
    Modifiers modifiers;
    Key key;
    friend bool operator==(const Combo&, const Combo&) = default;
};

class RecordingRegistrar final : public HotkeyRegistrar {
public:
    explicit RecordingRegistrar(std::vector<std::string>* journal = nullptr) : journal_(journal) {}

    std::vector<std::string> events;
    std::map<std::int32_t, Combo> registered;
    std::set<std::int32_t> refused;

    bool RegisterHotkey(std::int32_t id, Modifiers modifiers, Key key) override {
        Log("reg " + std::to_string(id));
        if (refused.count(id) != 0) return false;
        registered[id] = {modifiers, key};
        return true;
    }
    void UnregisterHotkey(std::int32_t id) override {
        Log("unreg " + std::to_string(id));
        registered.erase(id);
    }

private:
    void Log(std::string line) {
        events.push_back(line);
        if (journal_ != nullptr) journal_->push_back(std::move(line));
    }
    std::vector<std::string>* journal_;
};

}  // namespace torvik::testing

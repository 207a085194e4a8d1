#pragma once
// In-memory stand-ins for the autostart entry and the dialog window; the settings in memory
// are the shared MemorySettings.

#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <vector>
#include <string>
#include <string_view>

#include "tests/fakes/settings.h"
#include "setup/autostart.h"
#include "setup/key_table.h"
#include "setup/setup_model.h"

namespace torvik::testing {

// The platform's entry reduced to what the core sees: there or not, and the calls made.
class FakeAutostart final : public AutostartStore {
public:
    bool registered = false;
    int enables = 0;
    int disables = 0;

    bool Enabled() override { return registered; }
    bool Enable() override {
        ++enables;
        registered = true;
        return true;
    }
    bool Disable() override {
        ++disables;
        const bool was = registered;
        registered = false;
        return was;
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
    void LayoutButtonRow(std::span<const int> ids, int gap) override {
        rows.push_back({std::vector<int>(ids.begin(), ids.end()), gap});
    }
    struct Row {
        std::vector<int> ids;
        int gap;
        bool operator==(const Row&) const = default;
    };
    std::vector<Row> rows;   // the rows laid out, in order

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

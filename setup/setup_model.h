#pragma once
// The setup dialog's page logic: a working copy of the five configurations, the page shown,
// and the autostart wish. The platform's dialog forwards its clicks here and shows what the
// model tells its SetupView; nothing is stored before Close(kOk).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/function_config.h"
#include "core/settings.h"
#include "setup/autostart.h"

namespace torvik {

// What the page logic asks of the dialog window, control by control (ids in setup_ids.h).
class SetupView {
public:
    virtual ~SetupView() = default;
    virtual void ShowControl(int controlId, bool show) = 0;
    virtual void EnableControl(int controlId, bool enable) = 0;
    // Checked state of a skinned button (redrawn at once; no-op when already so).
    virtual void SetChecked(int controlId, bool checked) = 0;
    // Window text of a group box, static or the program-name edit.
    virtual void SetText(int controlId, std::string_view text) = 0;
    // A key button shows the key-menu item at this position (key_table.h) as its caption and
    // checks it in its drop-down.
    virtual void SelectKey(int controlId, int position) = 0;
    // Lays these buttons out in one row over the span they take now, gap apart (LayoutRow).
    virtual void LayoutButtonRow(std::span<const int> controlIds, int gap) = 0;
};

enum class Modifier { kAlt, kCtrl, kShift, kWin };

enum class SetupEnd { kOk, kCancel };

class SetupPages {
public:
    static constexpr int kGlobalPage = 0;
    static constexpr int kPageCount = kConfigCount;
    static constexpr int kRows = kUsedAntennas;
    static constexpr std::size_t kMaxProgramName = kProgramNameSize - 1;

    explicit SetupPages(SetupView& view);

    // The dialog opens for the box with this serial-number field: the page row and the
    // modifier rows are laid out, CONFIG of the box's section is read, autostart is asked
    // whether it is registered, and the Global page is shown. Without a stored CONFIG the page shows and edits inEffect,
    // the records the main window runs on, so that OK without a change changes nothing. A
    // stored CONFIG that cannot be read gives the dialog's own defaults, and the page says so.
    void Open(SettingsStore& settings, std::span<const char> serialField,
              AutostartStore& autostart, const ConfigBlock& inEffect);

    // Page button 0 (Global) to 4. editText is the edit control's current text; it is taken
    // into the record when a numbered page is left. Also runs for the page already shown.
    void SelectPage(int page, std::string_view editText);

    // ALT/CTRL/SHIFT/WIN button of a row (0 to 2). Ignored while the record is deactivated
    // (the buttons are disabled then), as is SetKey.
    void ToggleModifier(int row, Modifier modifier);

    // Key button of a row reported a choice: chosenItemId is the drop-down's last command
    // (0 or less: dismissed, nothing changes).
    void SetKey(int row, int chosenItemId);

    // Deactivate button: flips the record and shows the page again; on a numbered page the
    // edit shows the stored name once more.
    void ToggleDeactivated();

    // Autostart button: only the wish changes; the entry is changed on Close(kOk).
    void ToggleAutostart();

    // The dialog closes. With kOk: takes the edit text on a numbered page, writes the working
    // copy to the box's section and enables or disables autostart when the wish differs from what
    // was found at open. With kCancel nothing is stored. The dialog then ends with the same
    // answer, which tells its owner whether to load the settings anew.
    void Close(SetupEnd end, std::string_view editText, SettingsStore& settings,
               AutostartStore& autostart);

    // Routes the click command of a page, key, modifier, deactivate or autostart button to the
    // operation above; false for any other id (OK and Cancel are the dialog's own). editText is
    // the edit's current text, chosenItemId the clicked button's last drop-down command (read
    // only for key buttons).
    bool HandleClick(int controlId, std::string_view editText, int chosenItemId);

    // Brings every control in line with the current page.
    void ShowPage();

    // The note line under the buttons: the unreadable stored block, then the key warnings of
    // the page shown (key_warnings.h), one line each.
    static constexpr const char* kUnreadableNote =
        "The stored configurations could not be read: the dialog's defaults are shown, and OK "
        "stores them.";
    void ShowNote();

    const ConfigBlock& WorkingCopy() const { return block_; }
    int CurrentPage() const { return page_; }
    const std::string& ProgramNameText() const { return programName_; }
    bool AutostartRequested() const { return autostartRequested_; }

private:
    FunctionConfig& Current() { return block_[static_cast<std::size_t>(page_)]; }
    // Rows of the current record; returns whether the record is active.
    bool UpdateAntennaRows();
    // Puts the edit text into the current numbered record's programName.
    void StoreProgramName(std::string_view editText);
    struct ModifierButton {
        std::uint8_t* flag;
        int controlId;
    };
    ModifierButton ModifierAt(int row, Modifier modifier);

    SetupView& view_;
    ConfigBlock block_{};
    std::string section_;      // the box's "%s_KEYSET", named at Open
    std::string programName_;  // the text the edit control shows
    int page_ = kGlobalPage;
    bool autostartRequested_ = false;
    bool autostartFoundAtOpen_ = false;
    bool storedUnreadable_ = false;
    std::optional<std::string> noteShown_;   // what the note line shows; nothing before Open
};

}  // namespace torvik

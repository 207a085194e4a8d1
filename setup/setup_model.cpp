#include "setup/setup_model.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "core/field_text.h"
#include "setup/key_table.h"
#include "setup/key_warnings.h"
#include "setup/setup_ids.h"
#include "setup/setup_look.h"

namespace torvik {
namespace {

namespace ids = setup_ids;

std::size_t Index(int value) { return static_cast<std::size_t>(value); }

// A stored record may lack its terminating zero; never read past the field.
std::string NameOf(const FunctionConfig& record) {
    return std::string(FieldText(record.programName));
}

std::uint8_t Flipped(std::uint8_t flag) { return flag != 0 ? 0 : 1; }

// Index of id in ids, or -1.
template <std::size_t N>
int IndexOf(const std::array<int, N>& idList, int id) {
    for (std::size_t i = 0; i < N; ++i) {
        if (idList[i] == id) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

SetupPages::SetupPages(SetupView& view) : view_(view) {}

void SetupPages::Open(SettingsStore& settings, std::span<const char> serialField,
                      AutostartStore& autostart, const ConfigBlock& inEffect) {
    view_.LayoutButtonRow(ids::kPageButton, kPageRowGap);
    for (std::size_t row = 0; row < ids::kAltButton.size(); ++row) {
        const std::array<int, 4> modifiers{ids::kAltButton[row], ids::kCtrlButton[row],
                                           ids::kShiftButton[row], ids::kWinButton[row]};
        view_.LayoutButtonRow(modifiers, kModifierRowGap);
    }
    section_ = SectionName(serialField.data(), serialField.size());
    const std::string& section = section_;
    block_ = ConfigBlock{};
    storedUnreadable_ = false;
    noteShown_.reset();
    if (!settings.HasConfig(section)) {
        block_ = inEffect;
    } else if (!settings.ReadConfig(section, block_)) {
        block_ = SetupDefaults();
        storedUnreadable_ = true;
    }

    autostartFoundAtOpen_ = autostart.Enabled();
    autostartRequested_ = autostartFoundAtOpen_;

    page_ = kGlobalPage;
    ShowPage();
}

void SetupPages::ShowPage() {
    for (int page = 0; page < kPageCount; ++page) {
        view_.SetChecked(ids::kPageButton[Index(page)], page == page_);
    }
    view_.SetText(ids::kCaptionGroup, page_ == kGlobalPage
                                          ? std::string("Global Function Configuration")
                                          : std::to_string(page_) + ". Function Configuration");

    const bool active = UpdateAntennaRows();

    bool editShown = false;
    if (page_ != kGlobalPage) {
        programName_ = NameOf(Current());
        if (active) {
            editShown = true;
        } else {
            view_.SetText(ids::kProgramStatic,
                          std::to_string(page_) + ".Config not active - suspended");
        }
    } else {
        // The Global record's name is never used; the text typed on the last numbered page
        // stays in the (hidden) edit.
        view_.SetText(ids::kProgramStatic, active ? "Control for all Programs on Desktop"
                                                  : "Global Control not active - suspended");
    }
    view_.ShowControl(ids::kProgramEdit, editShown);
    view_.ShowControl(ids::kProgramStatic, !editShown);

    view_.SetChecked(ids::kAutostart, autostartRequested_);
    view_.SetText(ids::kProgramEdit, programName_);
    ShowNote();
}

void SetupPages::ShowNote() {
    std::string note = storedUnreadable_ ? kUnreadableNote : "";
    for (const std::string& line : KeyWarnings(Current())) {
        note += (note.empty() ? "" : "\n") + line;
    }
    // Set only when it changes: a modifier click touches no other control than its own.
    if (noteShown_ != note) {
        view_.SetText(ids::kNote, note);
        noteShown_ = std::move(note);
    }
}

bool SetupPages::UpdateAntennaRows() {
    const FunctionConfig& record = Current();
    const bool active = record.deactivated == 0;
    view_.SetChecked(ids::kDeactivate, !active);

    for (int row = 0; row < kRows; ++row) {
        const std::size_t i = Index(row);
        view_.EnableControl(ids::kKeyButton[i], active);
        view_.SelectKey(ids::kKeyButton[i], PositionForCode(record.keyCode[i]));

        const std::pair<int, std::uint8_t> modifiers[] = {
            {ids::kAltButton[i], record.altFlag[i]},
            {ids::kCtrlButton[i], record.ctrlFlag[i]},
            {ids::kShiftButton[i], record.shiftFlag[i]},
            {ids::kWinButton[i], record.winFlag[i]},
        };
        for (const auto& [id, flag] : modifiers) {
            view_.EnableControl(id, active);
            // A deactivated record shows no modifiers but keeps them for when it is active.
            view_.SetChecked(id, active && flag != 0);
        }

        view_.EnableControl(ids::kAntennaGroup[i], active);
        view_.EnableControl(ids::kKeyLabel[i], active);
        view_.EnableControl(ids::kPlusLabel[i], active);
    }
    return active;
}

void SetupPages::StoreProgramName(std::string_view editText) {
    programName_.assign(editText);
    FunctionConfig& record = Current();
    std::memset(record.programName, 0, sizeof record.programName);
    // Up to the first zero, at most 63 characters; the last byte stays zero.
    const std::size_t length = std::min({editText.find('\0'), editText.size(), kMaxProgramName});
    std::memcpy(record.programName, editText.data(), length);
}

void SetupPages::SelectPage(int page, std::string_view editText) {
    if (page < 0 || page >= kPageCount) return;
    if (page_ != kGlobalPage) StoreProgramName(editText);
    page_ = page;
    ShowPage();
}

SetupPages::ModifierButton SetupPages::ModifierAt(int row, Modifier modifier) {
    FunctionConfig& record = Current();
    const std::size_t i = Index(row);
    switch (modifier) {
        case Modifier::kAlt: return {&record.altFlag[i], ids::kAltButton[i]};
        case Modifier::kCtrl: return {&record.ctrlFlag[i], ids::kCtrlButton[i]};
        case Modifier::kShift: return {&record.shiftFlag[i], ids::kShiftButton[i]};
        case Modifier::kWin: return {&record.winFlag[i], ids::kWinButton[i]};
    }
    return {nullptr, 0};
}

void SetupPages::ToggleModifier(int row, Modifier modifier) {
    // The rows of a deactivated record are disabled and take no edits.
    if (row < 0 || row >= kRows || Current().deactivated != 0) return;
    const ModifierButton button = ModifierAt(row, modifier);
    if (button.flag == nullptr) return;
    *button.flag = Flipped(*button.flag);
    view_.SetChecked(button.controlId, *button.flag != 0);
    ShowNote();
}

void SetupPages::SetKey(int row, int chosenItemId) {
    if (row < 0 || row >= kRows || chosenItemId <= 0 || Current().deactivated != 0) return;
    const std::size_t i = Index(row);
    Current().keyCode[i] = CodeForItemId(chosenItemId);
    view_.SelectKey(ids::kKeyButton[i], PositionForCode(Current().keyCode[i]));
    ShowNote();
}

void SetupPages::ToggleDeactivated() {
    Current().deactivated = Flipped(Current().deactivated);
    ShowPage();
}

void SetupPages::ToggleAutostart() {
    autostartRequested_ = !autostartRequested_;
    view_.SetChecked(ids::kAutostart, autostartRequested_);
}

bool SetupPages::HandleClick(int controlId, std::string_view editText, int chosenItemId) {
    if (const int page = IndexOf(ids::kPageButton, controlId); page >= 0) {
        SelectPage(page, editText);
        return true;
    }
    if (const int row = IndexOf(ids::kKeyButton, controlId); row >= 0) {
        SetKey(row, chosenItemId);
        return true;
    }
    const std::pair<const std::array<int, 3>*, Modifier> modifierButtons[] = {
        {&ids::kAltButton, Modifier::kAlt},
        {&ids::kCtrlButton, Modifier::kCtrl},
        {&ids::kShiftButton, Modifier::kShift},
        {&ids::kWinButton, Modifier::kWin},
    };
    for (const auto& [idList, modifier] : modifierButtons) {
        if (const int row = IndexOf(*idList, controlId); row >= 0) {
            ToggleModifier(row, modifier);
            return true;
        }
    }
    if (controlId == ids::kDeactivate) {
        ToggleDeactivated();
        return true;
    }
    if (controlId == ids::kAutostart) {
        ToggleAutostart();
        return true;
    }
    return false;
}

void SetupPages::Close(SetupEnd end, std::string_view editText, SettingsStore& settings,
                       AutostartStore& autostart) {
    if (end != SetupEnd::kOk) return;
    if (page_ != kGlobalPage) StoreProgramName(editText);
    settings.WriteConfig(section_, block_);

    if (autostartRequested_ == autostartFoundAtOpen_) return;
    if (autostartRequested_) {
        autostart.Enable();
    } else {
        autostart.Disable();
    }
}

}  // namespace torvik

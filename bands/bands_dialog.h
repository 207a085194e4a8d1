#pragma once
// The "Band following" dialog's behaviour, the same on every platform: it shows the present
// box's switch, source and rules, keeps the notes under the rules current, toggles the switches
// (following, and the antennas off while transmitting, with its hang time),
// and on OK checks the fields, stores the plan through BandFollowing and closes, or stays open
// with a message when something is wrong or the file could not be written.

#include <functional>
#include <string>

#include "bands/band_following.h"
#include "bands/dialog_input.h"

namespace torvik::bands {

// What the dialog's window does.
class BandsDialogView {
public:
    virtual ~BandsDialogView() = default;
    virtual std::string SourceText() const = 0;
    // The rules as typed, lines ending in LF or CRLF.
    virtual std::string RulesText() const = 0;
    // The fields at the start; rules one a line, each ending in LF.
    virtual void ShowFields(const std::string& source, const std::string& rules) = 0;
    virtual void ShowFollow(bool follow) = 0;
    // Protection while transmitting: the switch, and the hang time's field.
    virtual void ShowProtect(bool protect) = 0;
    virtual std::string HangText() const = 0;
    virtual void ShowHang(const std::string& hang) = 0;
    virtual void ShowNotes(const std::string& notes) = 0;
    // A message box over the dialog with kMessageCaption, OK only.
    virtual void Warn(const std::string& text) = 0;
    // Ends the dialog as accepted.
    virtual void Close() = 0;
};

class BandsDialog {
public:
    BandsDialog(BandFollowing& following, BandsDialogView& view, std::function<Millis()> clock);

    // The dialog is up: its fields, the switch and the notes.
    void Start();
    void ToggleFollow();
    void ToggleProtect();
    // The source or the rules changed: the notes anew.
    void FieldChanged();
    // OK (and Enter).
    void Ok();

    bool Follow() const { return follow_; }
    bool Protect() const { return protect_; }

private:
    DialogCheck Check() const;

    BandFollowing& following_;
    BandsDialogView& view_;
    std::function<Millis()> clock_;
    bool follow_ = false;
    bool protect_ = false;
};

}  // namespace torvik::bands

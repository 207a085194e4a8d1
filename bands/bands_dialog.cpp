#include "bands/bands_dialog.h"

#include <utility>

#include "bands/dialog_input.h"

namespace torvik::bands {

BandsDialog::BandsDialog(BandFollowing& following, BandsDialogView& view,
                         std::function<Millis()> clock)
    : following_(following), view_(view), clock_(std::move(clock)) {}

void BandsDialog::Start() {
    const BandPlan& plan = following_.plan();
    follow_ = plan.follow;
    view_.ShowFields(plan.source, RulesBlock(plan.rules));
    view_.ShowFollow(follow_);
    protect_ = plan.protect;
    view_.ShowProtect(protect_);
    view_.ShowHang(std::to_string(plan.hangMs));
    FieldChanged();
}

void BandsDialog::ToggleProtect() {
    protect_ = !protect_;
    view_.ShowProtect(protect_);
}

void BandsDialog::ToggleFollow() {
    follow_ = !follow_;
    view_.ShowFollow(follow_);
}

void BandsDialog::FieldChanged() {
    const DialogCheck check = Check();
    std::string notes = NotesText(check, following_.problems());
    if (check.plan) {
        const std::string names = RuleAntennasText(check.plan->rules, following_.maskNames());
        if (!names.empty()) notes += (notes.empty() ? "" : "\n") + names;
    }
    view_.ShowNotes(notes);
}

void BandsDialog::Ok() {
    const DialogCheck check = Check();
    if (!check.plan) {
        view_.Warn(check.error);
        return;
    }
    if (!following_.Store(*check.plan, clock_())) {
        view_.Warn(kNotStoredText);
        return;
    }
    view_.Close();
}

DialogCheck BandsDialog::Check() const {
    DialogCheck check = CheckDialogInput(follow_, view_.SourceText(), view_.RulesText());
    if (!check.plan) return check;
    std::string hang = view_.HangText();
    while (!hang.empty() && hang.back() == ' ') hang.pop_back();
    while (!hang.empty() && hang.front() == ' ') hang.erase(0, 1);
    const Checked<std::uint32_t> ms = ParseHangTime(hang);
    if (!ms) {
        check.plan.reset();
        check.error = "Hang time: " + ms.error;
        return check;
    }
    check.plan->protect = protect_;
    check.plan->hangMs = *ms.value;
    return check;
}

}  // namespace torvik::bands

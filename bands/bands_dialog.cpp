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
    FieldChanged();
}

void BandsDialog::ToggleFollow() {
    follow_ = !follow_;
    view_.ShowFollow(follow_);
}

void BandsDialog::FieldChanged() { view_.ShowNotes(NotesText(Check(), following_.problems())); }

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
    return CheckDialogInput(follow_, view_.SourceText(), view_.RulesText());
}

}  // namespace torvik::bands

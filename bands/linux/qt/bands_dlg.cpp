#include "bands/linux/qt/bands_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "bands/dialog_input.h"
#include "bands/linux/posix_rig_socket.h"
#include "res/resource.h"
#include "setup/setup_ids.h"

namespace torvik::qt {
namespace {

std::string Latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

void Warn(QWidget* parent, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(bands::kMessageCaption),
                    QString::fromLatin1(text.c_str()), QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

CBandsDlg::CBandsDlg(const DialogTemplate& layout, bands::BandFollowing& following,
                     QWidget* parent)
    : QDialog(parent), widgets_(BuildTemplateWidgets(*this, layout)), following_(following) {
    const bands::BandPlan& plan = following_.plan();
    follow_ = plan.follow;
    if (SkinnedButton* follow = widgets_.Button(IDC_BANDS_FOLLOW)) {
        follow->SetChecked(follow_ ? 1 : 0);
    }
    if (auto found = widgets_.edits.find(IDC_BANDS_SOURCE); found != widgets_.edits.end()) {
        found->second->setText(QString::fromLatin1(plan.source.c_str()));
        connect(found->second, &QLineEdit::textChanged, this, [this] { ShowNotes(); });
    }
    if (auto found = widgets_.textAreas.find(IDC_BANDS_RULES); found != widgets_.textAreas.end()) {
        found->second->setPlainText(QString::fromLatin1(bands::RulesBlock(plan.rules).c_str()));
        connect(found->second, &QPlainTextEdit::textChanged, this, [this] { ShowNotes(); });
    }
    for (const auto& [id, button] : widgets_.buttons) {
        connect(button, &SkinnedButton::Clicked, this, [this](int clicked) { OnClicked(clicked); });
    }
    ShowNotes();
}

void CBandsDlg::OnClicked(int id) {
    if (id == setup_ids::kOk) {
        accept();
    } else if (id == setup_ids::kCancel) {
        reject();
    } else if (id == IDC_BANDS_FOLLOW) {
        follow_ = !follow_;
        widgets_.Button(IDC_BANDS_FOLLOW)->SetChecked(follow_ ? 1 : 0);
    }
}

bands::DialogCheck CBandsDlg::Check() const {
    const auto source = widgets_.edits.find(IDC_BANDS_SOURCE);
    const auto rules = widgets_.textAreas.find(IDC_BANDS_RULES);
    // The rules as the Windows edit control holds them: lines ending in CRLF.
    QString rulesText =
        rules != widgets_.textAreas.end() ? rules->second->toPlainText() : QString();
    rulesText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return bands::CheckDialogInput(
        follow_, source != widgets_.edits.end() ? Latin1(source->second->text()) : std::string(),
        Latin1(rulesText));
}

void CBandsDlg::ShowNotes() {
    if (auto found = widgets_.labels.find(IDC_BANDS_NOTES); found != widgets_.labels.end()) {
        found->second->setText(
            QString::fromLatin1(bands::NotesText(Check(), following_.problems()).c_str()));
    }
}

void CBandsDlg::accept() {
    const bands::DialogCheck check = Check();
    if (!check.plan) {
        Warn(this, check.error);
        return;
    }
    if (!following_.Store(*check.plan, bands::MonotonicMillis())) {
        Warn(this, bands::kNotStoredText);
        return;
    }
    QDialog::accept();
}

}  // namespace torvik::qt

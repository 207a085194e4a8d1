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

}  // namespace

BandsWindow::BandsWindow(const DialogTemplate& layout, bands::BandFollowing& following,
                     QWidget* parent)
    : QDialog(parent),
      widgets_(BuildTemplateWidgets(*this, layout)),
      dialog_(following, *this, bands::MonotonicMillis) {
    dialog_.Start();
    if (auto found = widgets_.edits.find(IDC_BANDS_SOURCE); found != widgets_.edits.end()) {
        connect(found->second, &QLineEdit::textChanged, this, [this] { dialog_.FieldChanged(); });
    }
    if (auto found = widgets_.textAreas.find(IDC_BANDS_RULES); found != widgets_.textAreas.end()) {
        connect(found->second, &QPlainTextEdit::textChanged, this,
                [this] { dialog_.FieldChanged(); });
    }
    if (auto found = widgets_.edits.find(IDC_BANDS_HANG); found != widgets_.edits.end()) {
        connect(found->second, &QLineEdit::textChanged, this, [this] { dialog_.FieldChanged(); });
    }
    for (const auto& [id, button] : widgets_.buttons) {
        connect(button, &SkinnedButton::Clicked, this, [this](int clicked) { OnClicked(clicked); });
    }
}

void BandsWindow::OnClicked(int id) {
    if (id == setup_ids::kOk) {
        accept();
    } else if (id == setup_ids::kCancel) {
        reject();
    } else if (id == IDC_BANDS_FOLLOW) {
        dialog_.ToggleFollow();
    } else if (id == IDC_BANDS_PROTECT) {
        dialog_.ToggleProtect();
    }
}

std::string BandsWindow::SourceText() const {
    const auto found = widgets_.edits.find(IDC_BANDS_SOURCE);
    return found != widgets_.edits.end() ? Latin1(found->second->text()) : std::string();
}

std::string BandsWindow::RulesText() const {
    const auto found = widgets_.textAreas.find(IDC_BANDS_RULES);
    return found != widgets_.textAreas.end() ? Latin1(found->second->toPlainText())
                                             : std::string();
}

void BandsWindow::ShowFields(const std::string& source, const std::string& rules) {
    if (auto found = widgets_.edits.find(IDC_BANDS_SOURCE); found != widgets_.edits.end()) {
        found->second->setText(QString::fromLatin1(source.c_str()));
    }
    if (auto found = widgets_.textAreas.find(IDC_BANDS_RULES); found != widgets_.textAreas.end()) {
        found->second->setPlainText(QString::fromLatin1(rules.c_str()));
    }
}

void BandsWindow::ShowFollow(bool follow) {
    if (SkinnedButton* button = widgets_.Button(IDC_BANDS_FOLLOW)) {
        button->SetChecked(follow ? 1 : 0);
    }
}

void BandsWindow::ShowProtect(bool protect) {
    if (SkinnedButton* button = widgets_.Button(IDC_BANDS_PROTECT)) {
        button->SetChecked(protect ? 1 : 0);
    }
}

std::string BandsWindow::HangText() const {
    const auto found = widgets_.edits.find(IDC_BANDS_HANG);
    return found != widgets_.edits.end() ? Latin1(found->second->text()) : std::string();
}

void BandsWindow::ShowHang(const std::string& hang) {
    if (auto found = widgets_.edits.find(IDC_BANDS_HANG); found != widgets_.edits.end()) {
        found->second->setText(QString::fromLatin1(hang.c_str()));
    }
}

void BandsWindow::ShowNotes(const std::string& notes) {
    if (auto found = widgets_.labels.find(IDC_BANDS_NOTES); found != widgets_.labels.end()) {
        found->second->setText(QString::fromLatin1(notes.c_str()));
    }
}

void BandsWindow::Warn(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(bands::kMessageCaption),
                    QString::fromLatin1(text.c_str()), QMessageBox::Ok, this);
    box.exec();
}

void BandsWindow::Close() { QDialog::accept(); }

void BandsWindow::accept() { dialog_.Ok(); }

}  // namespace torvik::qt

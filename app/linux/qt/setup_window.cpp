#include "app/linux/qt/setup_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

#include "setup/key_table.h"
#include "setup/setup_ids.h"

namespace torvik::qt {

namespace ids = setup_ids;

class SetupWindow::View final : public SetupView {
public:
    explicit View(SetupWindow& dialog) : d_(dialog) {}
    void ShowControl(int controlId, bool show) override {
        if (QWidget* control = d_.widgets_.Control(controlId)) {
            control->setVisible(show);
        }
    }
    void EnableControl(int controlId, bool enable) override {
        if (QWidget* control = d_.widgets_.Control(controlId)) {
            control->setEnabled(enable);
        }
    }
    void SetChecked(int controlId, bool checked) override {
        if (MyButton* button = d_.widgets_.Button(controlId)) {
            button->SetChecked(checked ? 1 : 0);
        }
    }
    void SetText(int controlId, std::string_view text) override {
        const QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        QWidget* control = d_.widgets_.Control(controlId);
        if (auto* group = qobject_cast<QGroupBox*>(control)) {
            group->setTitle(shown);
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(shown);
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(shown);
        }
    }
    void SelectKey(int controlId, int position) override {
        if (MyButton* button = d_.widgets_.Button(controlId)) {
            selected_[controlId] = position;
            const std::string_view text = KeyTextAt(position);
            button->SetCaption(
                QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        }
    }
    void LayoutButtonRow(std::span<const int> controlIds, int gap) override {
        qt::LayoutButtonRow(d_.widgets_, controlIds, gap);
    }
    int Selected(int controlId) const {
        const auto found = selected_.find(controlId);
        return found == selected_.end() ? -1 : found->second;
    }

private:
    SetupWindow& d_;
    std::map<int, int> selected_;
};

SetupWindow::SetupWindow(const DialogTemplate& layout, std::span<const char> serialField,
                     SettingsStore& settings, AutostartStore& autostart,
                     const ConfigBlock& inEffect, QWidget* parent)
    : QDialog(parent), widgets_(BuildTemplateWidgets(*this, layout)), serialField_(serialField),
      settings_(settings), autostart_(autostart), view_(std::make_unique<View>(*this)),
      pages_(*view_) {
    for (const auto& [id, button] : widgets_.buttons) {
        connect(button, &MyButton::Clicked, this, [this](int clicked) { OnClicked(clicked); });
    }
    for (const int id : ids::kKeyButton) {
        if (MyButton* button = widgets_.Button(id)) {
            button->menuId = kKeyMenuResourceId;
        }
    }
    pages_.Open(settings_, serialField_, autostart_, inEffect);
}

SetupWindow::~SetupWindow() = default;

SetupEnd SetupWindow::Run() {
    exec();
    return end_;
}

void SetupWindow::OnClicked(int id) {
    if (id == ids::kOk || id == ids::kCancel) {
        end_ = id == ids::kOk ? SetupEnd::kOk : SetupEnd::kCancel;
        pages_.Close(end_, EditText(), settings_, autostart_);
        done(id == ids::kOk ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    MyButton* button = widgets_.Button(id);
    if (button != nullptr && button->menuId != 0) {
        DropKeyMenu(*button);
        return;
    }
    pages_.HandleClick(id, EditText(), 0);
}

void SetupWindow::DropKeyMenu(MyButton& button) {
    QMenu menu(this);
    const int selected = view_->Selected(button.ControlId());
    for (std::size_t position = 0; position < kKeyMenuItems.size(); ++position) {
        const KeyMenuItem& item = kKeyMenuItems[position];
        QAction* action = menu.addAction(
            QString::fromLatin1(item.text.data(), static_cast<qsizetype>(item.text.size())));
        action->setData(item.itemId);
        // Only the key shown carries a mark, as in a plain popup menu.
        action->setCheckable(static_cast<int>(position) == selected);
        action->setChecked(static_cast<int>(position) == selected);
    }
    QAction* chosen = menu.exec(button.mapToGlobal(QPoint(0, button.height())));
    button.pressed = 0;
    button.update();
    // Dismissed: the click reports item 0, which changes nothing.
    pages_.HandleClick(button.ControlId(), EditText(), chosen != nullptr ? chosen->data().toInt() : 0);
}

void SetupWindow::reject() {
    end_ = SetupEnd::kCancel;
    pages_.Close(end_, EditText(), settings_, autostart_);
    QDialog::reject();
}

std::string SetupWindow::EditText() const {
    const auto found = widgets_.edits.find(ids::kProgramEdit);
    return found == widgets_.edits.end() ? std::string()
                                         : found->second->text().toLatin1().toStdString();
}

}  // namespace torvik::qt

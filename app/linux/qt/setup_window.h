#pragma once
// SetupWindow on Qt: the setup dialog built from the resource script's template, every decision
// left to SetupPages. Key buttons drop the key menu down; OK and Cancel close the pages.
#include <QDialog>

#include <span>
#include <string>

#include "controls/dialog_template.h"
#include "controls/linux/qt/template_widgets.h"
#include "setup/setup_model.h"

namespace torvik::qt {

class SetupWindow final : public QDialog {
public:
    SetupWindow(const DialogTemplate& layout, std::span<const char> serialField,
              SettingsStore& settings, AutostartStore& autostart, const ConfigBlock& inEffect,
              QWidget* parent);
    ~SetupWindow() override;

    // Runs the dialog modally: kOk when it was closed with OK.
    SetupEnd Run();

protected:
    void reject() override;   // Escape, the close box

private:
    class View;
    void OnClicked(int id);
    void DropKeyMenu(MyButton& button);
    std::string EditText() const;

    TemplateWidgets widgets_;
    std::span<const char> serialField_;
    SettingsStore& settings_;
    AutostartStore& autostart_;
    std::unique_ptr<View> view_;
    SetupPages pages_;
    SetupEnd end_ = SetupEnd::kCancel;
};

}  // namespace torvik::qt

#pragma once
// BandsWindow on Qt: the modal "Band following" dialog from the IDD_BANDS_DIALOG template. What
// it shows and does is the core's BandsDialog; this window reads and fills its widgets and
// shows the messages.
#include <QDialog>

#include <string>

#include "bands/bands_dialog.h"
#include "controls/dialog_template.h"
#include "controls/linux/qt/template_widgets.h"

namespace torvik::qt {

class BandsWindow final : public QDialog, private bands::BandsDialogView {
public:
    BandsWindow(const DialogTemplate& layout, bands::BandFollowing& following, QWidget* parent);

protected:
    void accept() override;   // OK (and Enter outside the rules)

private:
    std::string SourceText() const override;
    std::string RulesText() const override;
    void ShowFields(const std::string& source, const std::string& rules) override;
    void ShowFollow(bool follow) override;
    void ShowProtect(bool protect) override;
    std::string HangText() const override;
    void ShowHang(const std::string& hang) override;
    void ShowNotes(const std::string& notes) override;
    void Warn(const std::string& text) override;
    void Close() override;

    void OnClicked(int id);

    TemplateWidgets widgets_;
    bands::BandsDialog dialog_;
};

}  // namespace torvik::qt

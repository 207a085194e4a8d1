#pragma once
// CBandsDlg on Qt: the modal "Band following" dialog from the IDD_BANDS_DIALOG template. It
// edits the switch, the source and the rules of the present box as text; every check and the
// notes are the core's (dialog_input), and OK stores through BandFollowing, staying open with a
// message when something is wrong.
#include <QDialog>

#include <string>

#include "bands/band_following.h"
#include "bands/dialog_input.h"
#include "controls/dialog_template.h"
#include "controls/linux/qt/template_widgets.h"

namespace torvik::qt {

class CBandsDlg final : public QDialog {
public:
    CBandsDlg(const DialogTemplate& layout, bands::BandFollowing& following, QWidget* parent);

protected:
    void accept() override;   // OK (and Enter outside the rules)

private:
    void OnClicked(int id);
    bands::DialogCheck Check() const;
    void ShowNotes();

    TemplateWidgets widgets_;
    bands::BandFollowing& following_;
    bool follow_ = false;
};

}  // namespace torvik::qt

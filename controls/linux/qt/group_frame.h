#pragma once
// A template's group box (BS_GROUPBOX) drawn as Windows draws it: the etched frame through the
// middle of the caption's line, the caption in a gap of that line (PlanGroupFrame). Qt's own
// group box puts the caption above its frame, where the template's controls do not expect it.
#include <QWidget>

namespace torvik::qt {

class GroupFrame final : public QWidget {
    Q_OBJECT
public:
    GroupFrame(const QString& caption, bool centred, QWidget* parent);
    void SetCaption(const QString& caption) {
        caption_ = caption;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    bool centred_;
};

}  // namespace torvik::qt

#pragma once
// The skinned button as a Qt widget (the Windows program's MyButton): painted through the core's
// paint plan into a QImage back buffer, copied to the widget once per paint. Like the Windows
// button it reports a click when the left button goes down, keeps its own hover, press and
// checked states, and shows the focus cue once the keyboard has moved the focus.
#include <QImage>
#include <QWidget>

#include "controls/button_look.h"
#include "controls/palette.h"

namespace torvik::qt {

// The fields (ButtonFields) are the owner window's to set, as on Windows.
class SkinnedButton final : public QWidget, public ButtonFields {
    Q_OBJECT
public:
    SkinnedButton(int controlId, const QString& caption, QWidget* parent);

    int ControlId() const { return controlId_; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) {
        caption_ = caption;
        update();
    }
    // Stores and shows a new checked state; the same state again changes nothing.
    void SetChecked(int state);
    // The button's image (a null image removes it) and where it goes.
    void SetImage(const QImage& image, int align);
    // Multi-line captions wrap at words (BS_MULTILINE in a template).
    void SetMultiline(bool multiline) {
        multiline_ = multiline;
        update();
    }

signals:
    void Clicked(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int controlId_;
    QString caption_;
    QImage image_;
    bool multiline_ = false;
    // Set while the focus came by keyboard (Tab, Backtab, a shortcut): only then is the cue
    // drawn, as Windows shows focus cues only after keyboard use.
    bool keyboardFocus_ = false;
};

// The shared palette from the widget palette and the three shared fonts, made once (the core's
// InitSkinResources over Qt).
void InitQtSkinResources(const QPalette& palette);
// The shared font for a choice, as made by InitQtSkinResources.
QFont SharedQtFont(FontChoice which);
// A font for a face the system may lack: the face, then same-height sans faces.
QFont FontWithFallbacks(const QString& face, int pixelSize, bool bold);

}  // namespace torvik::qt

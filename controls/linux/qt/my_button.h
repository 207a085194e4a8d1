#pragma once
// MyButton on Qt: the skinned button painted through the core's paint plan into a QImage back
// buffer, copied to the widget once per paint. Like the Windows button it reports a click when
// the left button goes down and keeps its own hover, press and checked states.
#include <QImage>
#include <QWidget>

#include "controls/palette.h"

namespace torvik::qt {

class MyButton final : public QWidget {
    Q_OBJECT
public:
    MyButton(int controlId, const QString& caption, QWidget* parent);

    // Plain fields the owner window sets, as on Windows.
    int checked = 0;
    int fontChoice = 0;
    int pressed = 0;
    int hover = 0;
    int imageAlign = 0;
    int lookStyle = 0;
    int frameStyle = 0;
    unsigned int menuId = 0;   // nonzero: a drop-down button, drawn with its arrow

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

signals:
    void Clicked(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int controlId_;
    QString caption_;
    QImage image_;
};

// The shared palette from the widget palette and the three shared fonts, made once (the core's
// InitSkinResources over Qt).
void InitQtSkinResources(const QPalette& palette);
// The shared font for a choice, as made by InitQtSkinResources.
QFont SharedQtFont(FontChoice which);
// A font for a face the system may lack: the face, then same-height sans faces.
QFont FontWithFallbacks(const QString& face, int pixelSize, bool bold);

}  // namespace torvik::qt

#pragma once
// The widgets of a dialog template (controls/dialog_template.h) on a Qt window: MyButton for
// buttons, QGroupBox for group boxes, QLineEdit for edits, QLabel for statics, each placed in
// pixels with the dialog font's base units, as Windows places a dialog's controls.
#include <QWidget>

#include <map>
#include <span>

#include "controls/dialog_template.h"
#include "controls/linux/qt/my_button.h"

class QLabel;
class QLineEdit;

namespace torvik::qt {

struct TemplateWidgets {
    std::map<int, QWidget*> controls;   // every control with an id of its own
    std::map<int, MyButton*> buttons;
    std::map<int, QLabel*> labels;
    std::map<int, QLineEdit*> edits;
    QWidget* Control(int id) const;
    MyButton* Button(int id) const;
};

// Makes the window's controls (children of window) and gives the window the dialog's font,
// caption and size. Group boxes go below the other controls and let their clicks through.
TemplateWidgets BuildTemplateWidgets(QWidget& window, const DialogTemplate& layout);

// Lays a row of buttons out to their captions over their current span, gap pixels apart (the
// core's LayoutRow); nothing when a button is missing.
void LayoutButtonRow(const TemplateWidgets& widgets, std::span<const int> ids, int gap);

}  // namespace torvik::qt

#pragma once
// The widgets of a dialog template (controls/dialog_template.h) on a Qt window: SkinnedButton for
// buttons, GroupFrame for group boxes, QLineEdit for edits (QPlainTextEdit for multi-line ones),
// QLabel for statics, each placed in
// pixels with the dialog font's base units, as Windows places a dialog's controls.
#include <QWidget>

#include <map>
#include <span>

#include "controls/dialog_template.h"
#include "controls/linux/qt/skinned_button.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace torvik::qt {

struct TemplateWidgets {
    std::map<int, QWidget*> controls;   // every control with an id of its own
    std::map<int, SkinnedButton*> buttons;
    std::map<int, QLabel*> labels;
    std::map<int, QLineEdit*> edits;
    std::map<int, QPlainTextEdit*> textAreas;   // ES_MULTILINE edits
    DialogBaseUnits base;                       // of the dialog font, for places added later
    QWidget* Control(int id) const;
    SkinnedButton* Button(int id) const;
};

// Makes the window's controls (children of window) and gives the window the dialog's font,
// caption and size. Group boxes go below the other controls and let their clicks through.
TemplateWidgets BuildTemplateWidgets(QWidget& window, const DialogTemplate& layout);

// Lays a row of buttons out to their captions over their current span, gap pixels apart (the
// core's LayoutRow); nothing when a button is missing.
void LayoutButtonRow(const TemplateWidgets& widgets, std::span<const int> ids, int gap);

}  // namespace torvik::qt

#include "controls/linux/qt/template_widgets.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <vector>

#include "controls/linux/qt/group_frame.h"
#include "controls/row_layout.h"

namespace torvik::qt {
namespace {

// A dialog font's pixel size at 96 dots per inch.
int PixelSizeOfPoints(int points) { return (points * 96 + 36) / 72; }

// A button as the row layout sees it.
class RowButton final : public LayoutWindow {
public:
    explicit RowButton(SkinnedButton& button) : button_(button) {}
    int MeasureCaptionInBold() const override {
        return QFontMetrics(SharedQtFont(FontChoice::kBold)).horizontalAdvance(button_.Caption());
    }
    void MoveAndSize(int x, int y, int width, int height) override {
        button_.setGeometry(x, y, width, height);
    }

private:
    SkinnedButton& button_;
};

Qt::Alignment StaticAlignment(const DialogControl& control) {
    const Qt::Alignment across = control.HasStyle("SS_RIGHT")    ? Qt::AlignRight
                                 : control.HasStyle("SS_CENTER") ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    return across | (control.HasStyle("SS_CENTERIMAGE") ? Qt::AlignVCenter : Qt::AlignTop);
}

}  // namespace

QWidget* TemplateWidgets::Control(int id) const {
    const auto found = controls.find(id);
    return found == controls.end() ? nullptr : found->second;
}

SkinnedButton* TemplateWidgets::Button(int id) const {
    const auto found = buttons.find(id);
    return found == buttons.end() ? nullptr : found->second;
}

TemplateWidgets BuildTemplateWidgets(QWidget& window, const DialogTemplate& layout) {
    const QFont dialogFont = FontWithFallbacks(QString::fromLatin1(layout.fontFace.c_str()),
                                               PixelSizeOfPoints(layout.fontPoints), false);
    window.setFont(dialogFont);
    window.setWindowTitle(QString::fromLatin1(layout.caption.c_str()));
    const QFontMetrics metrics(dialogFont);
    const DialogBaseUnits base = BaseUnitsOf(
        metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height());
    const Rect size = DialogUnitsToPixels(layout.units, base);
    window.setFixedSize(size.Width(), size.Height());

    TemplateWidgets widgets;
    widgets.base = base;
    std::vector<QWidget*> groups;
    for (const DialogControl& control : layout.controls) {
        const Rect px = DialogUnitsToPixels(control.units, base);
        const QString text = QString::fromLatin1(control.text.c_str());
        QWidget* widget = nullptr;
        if (control.className == "Button" && control.HasStyle("BS_GROUPBOX")) {
            auto* group = new GroupFrame(text, control.HasStyle("BS_CENTER"), &window);
            groups.push_back(group);
            widget = group;
        } else if (control.className == "Button") {
            auto* button = new SkinnedButton(control.id, text, &window);
            button->SetMultiline(control.HasStyle("BS_MULTILINE"));
            // Tab visits only WS_TABSTOP controls, as on Windows; a click focuses any button.
            if (!control.HasStyle("WS_TABSTOP")) {
                button->setFocusPolicy(Qt::ClickFocus);
            }
            widgets.buttons[control.id] = button;
            widget = button;
        } else if (control.className == "Edit" && control.HasStyle("ES_MULTILINE")) {
            auto* area = new QPlainTextEdit(text, &window);
            area->setTabChangesFocus(true);
            area->setLineWrapMode(QPlainTextEdit::NoWrap);
            // WS_VSCROLL: Windows shows the bar whether or not the text needs it.
            if (control.HasStyle("WS_VSCROLL")) {
                area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            }
            widgets.textAreas[control.id] = area;
            widget = area;
        } else if (control.className == "Edit") {
            auto* edit = new QLineEdit(text, &window);
            widgets.edits[control.id] = edit;
            widget = edit;
        } else {
            auto* label = new QLabel(text, &window);
            label->setAlignment(StaticAlignment(control));
            label->setWordWrap(!control.HasStyle("SS_CENTERIMAGE"));
            if (control.HasStyle("SS_SUNKEN")) {
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            }
            widgets.labels[control.id] = label;
            widget = label;
        }
        widget->setGeometry(px.left, px.top, px.Width(), px.Height());
        if (control.id != -1) {
            widgets.controls[control.id] = widget;
        }
    }
    // A group box only frames: it lies beneath the controls it surrounds.
    for (QWidget* group : groups) {
        group->lower();
    }
    return widgets;
}

void LayoutButtonRow(const TemplateWidgets& widgets, std::span<const int> ids, int gap) {
    std::vector<RowButton> adapters;
    adapters.reserve(ids.size());
    for (const int id : ids) {
        SkinnedButton* button = widgets.Button(id);
        if (button == nullptr) {
            return;
        }
        adapters.emplace_back(*button);
    }
    if (adapters.empty()) {
        return;
    }
    const QRect first = widgets.Button(ids.front())->geometry();
    const QRect last = widgets.Button(ids.back())->geometry();
    const Rect area{first.left(), first.top(), last.right() + 1, first.bottom() + 1};
    std::vector<LayoutWindow*> views;
    for (RowButton& adapter : adapters) {
        views.push_back(&adapter);
    }
    LayoutRow(area, views, static_cast<int>(views.size()), gap);
}

}  // namespace torvik::qt

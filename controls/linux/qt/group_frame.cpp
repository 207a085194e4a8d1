#include "controls/linux/qt/group_frame.h"

#include <QFontMetrics>
#include <QPainter>

#include "controls/group_frame.h"

namespace torvik::qt {

GroupFrame::GroupFrame(const QString& caption, bool centred, QWidget* parent)
    : QWidget(parent), caption_(caption), centred_(centred) {
    // It only frames: the clicks belong to the controls it surrounds.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupFrame::paintEvent(QPaintEvent*) {
    const QFontMetrics metrics(font());
    const GroupFramePlan plan =
        PlanGroupFrame(Rect{0, 0, width(), height()},
                       caption_.isEmpty() ? 0 : metrics.horizontalAdvance(caption_),
                       metrics.height(), centred_);
    QPainter painter(this);
    // The etch: the shadow line, and the light one a pixel right and down.
    const Rect& f = plan.frame;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(f.left, f.top, f.Width() - 2, f.Height() - 2);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(f.left + 1, f.top + 1, f.Width() - 2, f.Height() - 2);
    if (plan.caption.Width() > 0) {
        const QRect text(plan.caption.left, plan.caption.top, plan.caption.Width(),
                         plan.caption.Height());
        painter.fillRect(text, palette().color(backgroundRole()));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         metrics.elidedText(caption_, Qt::ElideNone, text.width()));
    }
}

}  // namespace torvik::qt

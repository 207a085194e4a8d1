#include "controls/linux/qt/skinned_button.h"

#include <QFontDatabase>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <array>
#include <span>
#include <utility>

#include "controls/button_paint.h"
#include "controls/memory_surface.h"

namespace torvik::qt {
namespace {

std::array<QFont, 3>& SharedFonts() {
    static std::array<QFont, 3> fonts;
    return fonts;
}

QColor ToQColor(Colour colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

Colour FromQColor(const QColor& colour) {
    return Rgb(colour.red(), colour.green(), colour.blue());
}

// Reads the system colours from a widget palette; see ARCHITECTURE.md for the mapping.
class QtSkinSource final : public SkinResourceSource {
public:
    explicit QtSkinSource(const QPalette& palette) : palette_(palette) {}
    Colour ReadSystemColour(SystemColourId id) override {
        switch (id) {
        case SystemColourId::kButtonFace: return FromQColor(palette_.color(QPalette::Button));
        case SystemColourId::k3dLight: return FromQColor(palette_.color(QPalette::Midlight));
        case SystemColourId::kButtonShadow: return FromQColor(palette_.color(QPalette::Dark));
        case SystemColourId::k3dDarkShadow: return FromQColor(palette_.color(QPalette::Shadow));
        case SystemColourId::kButtonText: return FromQColor(palette_.color(QPalette::ButtonText));
        }
        return 0;
    }
    void CreateSharedFont(FontChoice which, const FontSpec& font) override {
        SharedFonts()[static_cast<std::size_t>(which)] = FontWithFallbacks(
            QString::fromLatin1(font.faceName.data(), static_cast<qsizetype>(font.faceName.size())),
            font.pixelHeight, font.bold);
    }

private:
    const QPalette& palette_;
};

// The core's canvas over the back buffer: pixels through a PixelView on the image's memory,
// text and image through a QPainter that lives only for one call, so that the two never
// overlap.
class QtButtonCanvas final : public ButtonCanvas {
public:
    QtButtonCanvas(QImage& buffer, const QImage& image)
        : buffer_(buffer), image_(image),
          view_(std::span<std::uint32_t>(reinterpret_cast<std::uint32_t*>(buffer.bits()),
                                         static_cast<std::size_t>(buffer.sizeInBytes() / 4)),
                buffer.width(), buffer.height(), static_cast<int>(buffer.bytesPerLine() / 4),
                PixelOrder::kBgrx) {}

    PixelSurface& Surface() override { return view_; }

    void DrawText(std::string_view text, const Rect& rect, TextLayout layout, Colour colour,
                  FontChoice font) override {
        QPainter painter(&buffer_);
        const QFont& chosen = SharedQtFont(font);
        painter.setFont(chosen);
        painter.setPen(ToQColor(colour));
        const QRect area(rect.left, rect.top, rect.Width(), rect.Height());
        const QString caption = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        if (layout == TextLayout::kWrapped) {
            painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption);
        } else {
            const QString shown =
                QFontMetrics(chosen).elidedText(caption, Qt::ElideRight, area.width());
            painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, shown);
        }
    }

    int MeasureTextHeight(std::string_view text, const Rect& rect, FontChoice font) override {
        const QString caption = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        return QFontMetrics(SharedQtFont(font))
            .boundingRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), Qt::AlignLeft,
                          caption)
            .height();
    }

    void DrawImage(Point topLeft) override {
        if (!image_.isNull()) {
            QPainter painter(&buffer_);
            painter.drawImage(topLeft.x, topLeft.y, image_);
        }
    }

private:
    QImage& buffer_;
    const QImage& image_;
    PixelView view_;
};

}  // namespace

QFont FontWithFallbacks(const QString& face, int pixelSize, bool bold) {
    // Fontconfig answers any name with some font; only an installed family counts as the face.
    // The stand-ins keep the Windows faces' cell height and average width at the same pixel
    // size: DejaVu Sans Condensed at 11 pixels has MS Sans Serif 8's base units (6 x 13).
    QStringList families;
    if (QFontDatabase::hasFamily(face)) {
        families << face;
    }
    if (face.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0) {
        families << QStringLiteral("Liberation Sans") << QStringLiteral("Nimbus Sans");
    }
    families << QStringLiteral("DejaVu Sans Condensed") << QStringLiteral("DejaVu Sans");
    QFont font;
    font.setFamilies(families);
    if (pixelSize > 0) {
        font.setPixelSize(pixelSize);
    }
    font.setBold(bold);
    return font;
}

void InitQtSkinResources(const QPalette& palette) {
    QtSkinSource source(palette);
    InitSkinResources(SharedSkinResources(), source);
}

QFont SharedQtFont(FontChoice which) { return SharedFonts()[static_cast<std::size_t>(which)]; }

SkinnedButton::SkinnedButton(int controlId, const QString& caption, QWidget* parent)
    : QWidget(parent), controlId_(controlId), caption_(caption) {
    setAttribute(Qt::WA_OpaquePaintEvent);   // the paint covers every pixel
    setFocusPolicy(Qt::StrongFocus);
}

void SkinnedButton::SetChecked(int state) {
    if (state == checked) {
        return;
    }
    checked = state;
    update();
}

void SkinnedButton::SetImage(const QImage& image, int align) {
    look.imageAlign = align;
    image_ = image;
    update();
}

void SkinnedButton::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0 || width() > kMaxSurfaceSide ||
        height() > kMaxSurfaceSide) {
        return;
    }
    ButtonWindowFacts window;
    window.enabled = isEnabled();
    window.multiline = multiline_;
    window.focusCue = hasFocus() && keyboardFocus_;
    window.imageWidth = image_.isNull() ? 0 : image_.width();
    window.imageHeight = image_.isNull() ? 0 : image_.height();
    window.caption = caption_.toLatin1().toStdString();
    const ButtonState state = FaceStateOf(*this, std::move(window));

    QImage buffer(size(), QImage::Format_RGB32);
    {
        QtButtonCanvas canvas(buffer, image_);
        PaintButton(canvas, state, Rect{0, 0, width(), height()}, SharedSkinResources().palette);
    }
    QPainter(this).drawImage(0, 0, buffer);
}

void SkinnedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed = 1;
    update();
    emit Clicked(controlId_);
}

void SkinnedButton::mouseReleaseEvent(QMouseEvent* event) {
    // The click was reported at button-down; the release only ends the pushed look.
    pressed = 0;
    hover = rect().contains(event->position().toPoint()) ? 1 : 0;
    update();
}

void SkinnedButton::enterEvent(QEnterEvent*) {
    hover = 1;
    update();
}

void SkinnedButton::leaveEvent(QEvent*) {
    hover = 0;
    pressed = 0;
    update();
}

void SkinnedButton::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    keyboardFocus_ = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                     reason == Qt::ShortcutFocusReason;
    QWidget::focusInEvent(event);
    update();
}

void SkinnedButton::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    QWidget::focusOutEvent(event);
    update();
}

void SkinnedButton::keyPressEvent(QKeyEvent* event) {
    // Space presses a focused button, as on Windows.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        emit Clicked(controlId_);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace torvik::qt

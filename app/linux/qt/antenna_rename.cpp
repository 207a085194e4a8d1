#include "app/linux/qt/antenna_rename.h"

#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>

#include <string>

namespace torvik::qt {
namespace {

void AskForName(SwitchController& controller, int antenna, QWidget* parent) {
    bool ok = false;
    const QString current =
        QString::fromStdString(controller.Names()[static_cast<std::size_t>(antenna)]);
    const QString text = QInputDialog::getText(
        parent, QString::fromStdString("Rename " + ShownName({}, antenna)),
        QStringLiteral("Name (at most 24 characters, empty for none):"), QLineEdit::Normal,
        current, &ok);
    if (!ok) return;
    const QByteArray utf8 = text.toUtf8();
    const std::string problem =
        controller.RenameAntenna(antenna, std::string_view(utf8.constData(), utf8.size()));
    if (!problem.empty()) {
        QMessageBox::warning(parent, QStringLiteral("Rename antenna"),
                             QString::fromStdString("The name is refused: " + problem + "."));
    }
}

}  // namespace

void ShowAntennaCaptions(const TemplateWidgets& widgets, const AntennaNames& names) {
    for (int i = 0; i < kNamedAntennas; ++i) {
        if (SkinnedButton* button = widgets.Button(ids::AntennaButton(i))) {
            button->SetCaption(QString::fromStdString(ShownName(names, i)));
            button->setToolTip(QString::fromStdString(names[static_cast<std::size_t>(i)]));
        }
    }
}

void OfferRename(const TemplateWidgets& widgets, SwitchController& controller, QWidget* parent) {
    for (int i = 0; i < kNamedAntennas; ++i) {
        SkinnedButton* button = widgets.Button(ids::AntennaButton(i));
        if (button == nullptr) continue;
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(button, &QWidget::customContextMenuRequested, parent,
                         [&controller, button, parent, i](const QPoint& at) {
                             if (!controller.DevicePresent()) return;
                             QMenu menu;
                             QAction* rename = menu.addAction(QStringLiteral("Rename..."));
                             if (menu.exec(button->mapToGlobal(at)) == rename) {
                                 AskForName(controller, i, parent);
                             }
                         });
    }
}

}  // namespace torvik::qt

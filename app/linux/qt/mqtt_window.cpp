#include "app/linux/qt/mqtt_window.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace torvik::qt {
namespace {

std::string Text(const QLineEdit& field) { return field.text().toStdString(); }

QLineEdit* Field(QFormLayout& form, const char* label, const std::string& text, QDialog& dialog) {
    auto* field = new QLineEdit(QString::fromStdString(text), &dialog);
    field->setMaxLength(static_cast<int>(mqtt::kMaxTextBytes));
    form.addRow(QString::fromLatin1(label), field);
    return field;
}

}  // namespace

MqttWindow::MqttWindow(SwitchController& controller, SettingsStore& settings, BandSession& bands,
                       QWidget& window)
    : controller_(controller),
      bands_(bands),
      window_(window),
      link_([this] {
          // On the link's thread: the session is called on the window's.
          QMetaObject::invokeMethod(this, [this] { session_.OnLinkEvents(); },
                                    Qt::QueuedConnection);
      }),
      session_(controller, settings, link_, *this) {}

void MqttWindow::ShowMqttStatus(const std::string& text) {
    bands_.ShowMqttLine(text);
    controller_.ShowMqttStatus(text);
}

void MqttWindow::OpenDialog() {
    const mqtt::Settings stored = session_.CurrentSettings();
    QDialog dialog(&window_);
    dialog.setWindowTitle(QStringLiteral("MQTT"));
    auto* form = new QFormLayout(&dialog);
    auto* enabled = new QCheckBox(QStringLiteral("Connect to the broker"), &dialog);
    enabled->setChecked(stored.enabled);
    form->addRow(enabled);
    QLineEdit* host = Field(*form, "Broker host:", stored.host, dialog);
    QLineEdit* port = Field(*form, "Port:", std::to_string(stored.port), dialog);
    QLineEdit* clientId = Field(*form, "Client id:", stored.clientId, dialog);
    QLineEdit* user = Field(*form, "User:", stored.user, dialog);
    QLineEdit* password = Field(*form, "Password:", "", dialog);
    password->setEchoMode(QLineEdit::Password);
    if (!stored.password.empty()) password->setPlaceholderText(QStringLiteral("(stored)"));
    auto* tls = new QCheckBox(QStringLiteral("TLS"), &dialog);
    tls->setChecked(stored.tls);
    form->addRow(tls);
    QLineEdit* caFile = Field(*form, "CA file:", stored.caFile, dialog);
    QLineEdit* prefix = Field(*form, "Topic prefix:", stored.prefix, dialog);
    const std::string status = session_.StatusLine();
    form->addRow(new QLabel(QString::fromStdString(status.empty() ? "MQTT: not connected" : status),
                            &dialog));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        mqtt::Settings edited = stored;
        edited.enabled = enabled->isChecked();
        edited.host = Text(*host);
        const std::optional<std::uint16_t> portNumber = mqtt::ParsePort(Text(*port));
        edited.clientId = Text(*clientId);
        edited.user = Text(*user);
        edited.password = mqtt::DialogPassword(Text(*password), stored, edited.user);
        edited.tls = tls->isChecked();
        edited.caFile = Text(*caFile);
        edited.prefix = Text(*prefix);
        std::string problem = "the port is 1 to 65535";
        if (portNumber) {
            edited.port = *portNumber;
            problem = session_.ChangeSettings(edited);
        }
        if (!problem.empty()) {
            QMessageBox::warning(&dialog, QStringLiteral("MQTT"),
                                 QString::fromStdString("The settings are refused: " + problem + "."));
            return;
        }
        dialog.accept();
    });
    dialog.exec();
}

}  // namespace torvik::qt

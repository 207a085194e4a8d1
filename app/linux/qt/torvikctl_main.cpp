// torvikctl on Linux: calls one method of the running Torvik on the session bus and prints the
// answer. The command line, the printed texts and the exit codes are app/ctl_command's.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ctl_command.h"
#include "app/linux/bus_names.h"
#include "app/station_command.h"
#include "bands/bands_command.h"

namespace {

// Prints one line per StateChanged signal of the running Torvik until interrupted (the signal's
// default action ends it; every line is flushed as it is printed).
class StateWatcher final : public QObject {
    Q_OBJECT
public slots:
    void OnStateChanged(uint mask, bool boxPresent) {
        std::printf("mask %u %s\n", mask, boxPresent ? "box present" : "no box");
        std::fflush(stdout);
    }
};

int Watch(QDBusConnection& bus) {
    StateWatcher watcher;
    if (!bus.connect(QString::fromLatin1(torvik::bus::kServiceName),
                     QString::fromLatin1(torvik::bus::kObjectPath),
                     QString::fromLatin1(torvik::bus::kInterface), QStringLiteral("StateChanged"),
                     &watcher, SLOT(OnStateChanged(uint,bool)))) {
        std::fputs("torvikctl: cannot follow the state\n", stderr);
        return torvik::ctl::kExitNoAnswer;
    }
    return QCoreApplication::exec();
}

// The program answers a bands request with its code and text: the text goes to stdout when the
// request was done, else to stderr, and the code is the exit code, as on Windows.
int PrintBandsReply(const QDBusMessage& reply) {
    const QList<QVariant> values = reply.arguments();
    if (reply.type() != QDBusMessage::ReplyMessage || values.size() != 2 ||
        !values[0].canConvert<int>() || !values[1].canConvert<QString>()) {
        std::fprintf(stderr, "torvikctl: Torvik did not answer (%s)\n",
                     reply.errorMessage().toLocal8Bit().constData());
        return torvik::ctl::kExitNoAnswer;
    }
    const int code = values[0].toInt();
    if (code < 0 || code > 0xFF) {
        std::fputs("torvikctl: this Torvik does not know band following\n", stderr);
        return torvik::ctl::kExitNoAnswer;
    }
    std::fputs(values[1].toString().toUtf8().constData(),
               code == torvik::bands::kReplyOk ? stdout : stderr);
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace torvik::ctl;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments == std::vector<std::string>{"watch"}) {
        // Only here: the other commands are the same on both systems, this one needs the bus.
        QCoreApplication app(argc, argv);
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            std::fputs("torvikctl: no session bus\n", stderr);
            return kExitNotRunning;
        }
        return Watch(bus);
    }
    const ClientStart start = StartClient(arguments);
    if (!start.command) {
        return start.exitCode;
    }
    const Command& command = *start.command;
    const auto method = torvik::bus::MethodFor(command.verb);
    if (!method) {
        std::fputs("torvikctl: this command is not available on this system yet\n", stderr);
        return kExitUsage;
    }
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr ||
        !bus.interface()->isServiceRegistered(QString::fromLatin1(torvik::bus::kServiceName))) {
        std::fputs("torvikctl: Torvik is not running (not on the session bus)\n", stderr);
        return kExitNotRunning;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(torvik::bus::kServiceName), QString::fromLatin1(torvik::bus::kObjectPath),
        QString::fromLatin1(torvik::bus::kInterface),
        QString::fromLatin1(method->data(), static_cast<qsizetype>(method->size())));
    if (command.verb == Verb::Set) {
        call << static_cast<uint>(command.mask);
    }
    if (command.verb == Verb::Bands || command.verb == Verb::Station) {
        // Bands sends the words after "bands", Station the whole command.
        const std::string request = torvik::bands::JoinWords(
            {arguments.begin() + (command.verb == Verb::Bands ? 1 : 0), arguments.end()});
        if (request.size() > torvik::bands::kMaxRequestBytes) {
            std::fputs("torvikctl: the bands command is too long\n", stderr);
            return kExitUsage;
        }
        call << QString::fromUtf8(request.data(), static_cast<qsizetype>(request.size()));
        return PrintBandsReply(bus.call(call, QDBus::Block, 5000));
    }
    const QDBusReply<qint64> reply = bus.call(call, QDBus::Block, 5000);
    if (!reply.isValid()) {
        std::fprintf(stderr, "torvikctl: Torvik did not answer (%s)\n",
                     reply.error().message().toLocal8Bit().constData());
        return kExitNoAnswer;
    }
    const std::string line = FormatAnswer(command.verb, static_cast<std::intptr_t>(reply.value()));
    if (command.verb == Verb::Set) {
        // The method's answer is the same for a refusal; the lock says which it was.
        QDBusMessage status = QDBusMessage::createMethodCall(
            QString::fromLatin1(torvik::bus::kServiceName),
            QString::fromLatin1(torvik::bus::kObjectPath),
            QString::fromLatin1(torvik::bus::kInterface), QStringLiteral("Station"));
        status << QString::fromUtf8(torvik::bands::JoinWords({"lock", "status"}).c_str());
        const QDBusMessage answer = bus.call(status, QDBus::Block, 5000);
        const QList<QVariant> values = answer.arguments();
        if (answer.type() == QDBusMessage::ReplyMessage && values.size() == 2 &&
            values[0].toInt() == torvik::bands::kReplyOk &&
            torvik::SaysLocked(values[1].toString().toStdString())) {
            std::fputs(LockedSetText(static_cast<std::intptr_t>(reply.value())).c_str(), stderr);
            return kExitLocked;
        }
    }
    std::printf("%s\n", line.c_str());
    return kExitOk;
}

#include "torvikctl_main.moc"

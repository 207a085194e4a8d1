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
    const ParsedArguments parsed = ParseCommandLine(arguments);
    if (!parsed.command) {
        std::fprintf(stderr, "%s\n%s", parsed.error.c_str(), ShortUsage().c_str());
        return kExitUsage;
    }
    const Command& command = *parsed.command;
    if (command.verb == Verb::Help) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitOk;
    }
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
    const QDBusReply<qint64> reply = bus.call(call, QDBus::Block, 5000);
    if (!reply.isValid()) {
        std::fprintf(stderr, "torvikctl: Torvik did not answer (%s)\n",
                     reply.error().message().toLocal8Bit().constData());
        return kExitNoAnswer;
    }
    const std::string line = FormatAnswer(command.verb, static_cast<std::intptr_t>(reply.value()));
    std::printf("%s\n", line.c_str());
    return kExitOk;
}

#include "torvikctl_main.moc"

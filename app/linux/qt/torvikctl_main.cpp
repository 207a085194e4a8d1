// torvikctl on Linux: the running Torvik's methods on the session bus. What it sends, prints and
// exits with is the core's (app/ctl_client, app/ctl_command); this file is the link over the bus,
// plus "watch", which only the bus can offer.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/ctl_client.h"
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

// The running program's methods on the session bus.
class BusLink final : public torvik::ctl::ProgramLink {
public:
    bool Find(std::string& notFound) override {
        if (!bus_.isConnected() || bus_.interface() == nullptr ||
            !bus_.interface()->isServiceRegistered(
                QString::fromLatin1(torvik::bus::kServiceName))) {
            notFound = "not on the session bus";
            return false;
        }
        return true;
    }

    std::optional<std::intptr_t> Send(const torvik::Command& command, int timeoutMs,
                                      std::string& why) override {
        QDBusMessage call = Call(command.verb);
        if (command.verb == torvik::Verb::Set) {
            call << static_cast<uint>(command.mask);
        }
        const QDBusReply<qint64> reply = bus_.call(call, QDBus::Block, timeoutMs);
        if (!reply.isValid()) {
            why = reply.error().message().toLocal8Bit().toStdString();
            return std::nullopt;
        }
        return static_cast<std::intptr_t>(reply.value());
    }

    // Bands and Station answer the reply's code and text.
    std::optional<torvik::bands::BandsReply> SendWords(torvik::ctl::WordChannel channel,
                                                       const std::string& request, int timeoutMs,
                                                       std::string& why) override {
        QDBusMessage call = Call(channel == torvik::ctl::WordChannel::Bands
                                     ? torvik::Verb::Bands
                                     : torvik::Verb::Station);
        call << QString::fromUtf8(request.data(), static_cast<qsizetype>(request.size()));
        const QDBusMessage reply = bus_.call(call, QDBus::Block, timeoutMs);
        const QList<QVariant> values = reply.arguments();
        if (reply.type() != QDBusMessage::ReplyMessage || values.size() != 2 ||
            !values[0].canConvert<int>() || !values[1].canConvert<QString>()) {
            why = reply.errorMessage().toLocal8Bit().toStdString();
            return std::nullopt;
        }
        return torvik::bands::BandsReply{values[0].toInt(),
                                         values[1].toString().toUtf8().toStdString()};
    }

private:
    QDBusMessage Call(torvik::Verb verb) const {
        // Every verb that reaches the link has its method (Help and Hotkey never do).
        const std::string_view method = torvik::bus::MethodFor(verb).value_or("");
        return QDBusMessage::createMethodCall(
            QString::fromLatin1(torvik::bus::kServiceName),
            QString::fromLatin1(torvik::bus::kObjectPath),
            QString::fromLatin1(torvik::bus::kInterface),
            QString::fromLatin1(method.data(), static_cast<qsizetype>(method.size())));
    }

    QDBusConnection bus_ = QDBusConnection::sessionBus();
};

}  // namespace

int main(int argc, char** argv) {
    using namespace torvik::ctl;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QCoreApplication app(argc, argv);
    if (arguments == std::vector<std::string>{"watch"}) {
        // Only here: the other commands are the same on both systems, this one needs the bus.
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            std::fputs("torvikctl: no session bus\n", stderr);
            return kExitNotRunning;
        }
        return Watch(bus);
    }
    BusLink link;
    return RunClient(arguments, link);
}

#include "torvikctl_main.moc"

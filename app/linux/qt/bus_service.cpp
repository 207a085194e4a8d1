#include "app/linux/qt/bus_service.h"

#include <QDBusError>

#include "app/remote_messages.h"

namespace torvik::qt {

qint64 BusService::WindowMessage(uint message, qulonglong wParam, qlonglong lParam) {
    const auto answer = AnswerSentMessage(controller_, message, static_cast<std::uintptr_t>(wParam),
                                          static_cast<std::intptr_t>(lParam));
    if (!answer) {
        sendErrorReply(QDBusError::NotSupported,
                       QStringLiteral("message 0x%1 is not a remote-control message")
                           .arg(message, 4, 16, QLatin1Char('0')));
        return 0;
    }
    return static_cast<qint64>(*answer);
}

void BusService::CheckState() {
    // The Get answer: the mask in bits 16 to 19 above the antenna count.
    const auto mask = static_cast<uint>(controller_.GetAntennaMask()) >> 16 & 0xFu;
    const bool present = controller_.DevicePresent();
    if (told_ && mask == lastMask_ && present == lastPresent_) {
        return;
    }
    told_ = true;
    lastMask_ = mask;
    lastPresent_ = present;
    emit StateChanged(mask, present);
}

int BusService::Bands(const QString& request, QString& reply) {
    const QByteArray words = request.toUtf8();
    // Anyone on the session bus may call: the size is checked before the words are looked at.
    const bands::BandsReply answer =
        words.size() > static_cast<qsizetype>(bands::kMaxRequestBytes)
            ? bands::BandsReply{bands::kReplyUsage, "request too long\n"}
            : bands_(std::string_view(words.constData(), static_cast<std::size_t>(words.size())));
    reply = QString::fromUtf8(answer.text.data(), static_cast<qsizetype>(answer.text.size()));
    return answer.code;
}

int BusService::Station(const QString& request, QString& reply) {
    const QByteArray words = request.toUtf8();
    const bands::BandsReply answer =
        station_(std::string_view(words.constData(), static_cast<std::size_t>(words.size())));
    reply = QString::fromUtf8(answer.text.data(), static_cast<qsizetype>(answer.text.size()));
    return answer.code;
}

}  // namespace torvik::qt

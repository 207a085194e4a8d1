#include "bands/push_listener.h"

#include <utility>

#include "bands/radio_info.h"
#include "bands/wsjtx_message.h"

namespace torvik::bands {

PushListener::PushListener(DatagramSocket& socket, std::function<void(std::uint64_t)> onFrequency,
                           PushTiming timing)
    : socket_(socket), onFrequency_(std::move(onFrequency)), timing_(timing) {}

PushListener::~PushListener() {
    Stop();
}

void PushListener::Start(const FrequencySource& source, Millis now) {
    Stop();
    source_ = source;
    heard_ = false;
    silent_ = false;
    noRadio_ = false;
    refused_ = 0;
    lastHeard_ = now;
    if (socket_.Listen(source_.address)) {
        state_ = State::kListening;
    } else {
        state_ = State::kUnbound;
        retryAt_ = now + timing_.listenRetry;
    }
}

void PushListener::Stop() {
    if (state_ == State::kListening) socket_.Close();
    state_ = State::kStopped;
}

void PushListener::Tick(Millis now) {
    if (state_ == State::kUnbound && now >= retryAt_) {
        if (socket_.Listen(source_.address)) {
            state_ = State::kListening;
            lastHeard_ = now;
        } else {
            retryAt_ = now + timing_.listenRetry;
        }
    }
    if (state_ == State::kListening && now - lastHeard_ >= timing_.silentAfter) silent_ = true;
}

std::optional<Millis> PushListener::NextDue() const {
    switch (state_) {
    case State::kStopped: return std::nullopt;
    case State::kUnbound: return retryAt_;
    case State::kListening:
        // Once silent, the next datagram ends it; the timer has nothing left to do but look in.
        return silent_ ? lastHeard_ + 2 * timing_.silentAfter : lastHeard_ + timing_.silentAfter;
    }
    return std::nullopt;
}

void PushListener::OnDatagram(std::string_view bytes, const std::uint8_t (&sender)[4],
                              Millis now) {
    if (state_ != State::kListening) return;
    if (!AcceptsSender(source_, sender)) {
        ++refused_;
        return;
    }
    keyed_.reset();
    const std::optional<std::uint64_t> hz = Read(bytes);
    if (!hz) return;
    heard_ = true;
    silent_ = false;
    lastHeard_ = now;
    if (keyed_ && onTransmit_) {
        onTransmit_(*keyed_ ? TransmitReport::kTransmit : TransmitReport::kReceive, now);
    }
    if (*hz != 0 && onFrequency_) onFrequency_(*hz);
}

std::optional<std::uint64_t> PushListener::Read(std::string_view bytes) {
    if (source_.kind == SourceKind::kRadioInfo) {
        const std::optional<RadioInfo> info = ReadRadioInfo(bytes);
        if (!info) {
            ++refused_;
            return std::nullopt;
        }
        // Another radio's report says nothing about ours, not even that ours is alive.
        if (info->radio != source_.radio) return std::nullopt;
        noRadio_ = info->noRadio;
        if (!info->noRadio) keyed_ = info->transmitting;
        return info->noRadio ? 0 : info->hz;
    }
    const std::optional<WsjtxMessage> message = ReadWsjtxMessage(bytes);
    if (!message) {
        ++refused_;
        return std::nullopt;
    }
    if (message->type == WsjtxMessage::Type::kOther) return 0;
    if (message->type == WsjtxMessage::Type::kStatus) keyed_ = message->transmitting;
    return message->type == WsjtxMessage::Type::kStatus ? message->dialHz : 0;
}

}  // namespace torvik::bands

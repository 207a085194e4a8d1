#include "bands/rig_link.h"

#include <algorithm>
#include <utility>

namespace torvik::bands {
namespace {

TransmitReport ReadTransmit(const RigAnswer& answer) {
    constexpr int kFeatureNotAvailable = -11;
    if (answer.kind == RigAnswer::Kind::kTransmitState) {
        return answer.keyed ? TransmitReport::kTransmit : TransmitReport::kReceive;
    }
    if (answer.kind == RigAnswer::Kind::kError && answer.code == kFeatureNotAvailable) {
        return TransmitReport::kCannotTell;
    }
    return TransmitReport::kUnreadable;
}

}  // namespace

RigLink::RigLink(RigSocket& socket, std::function<void(std::uint64_t)> onFrequency,
                 RigTiming timing)
    : socket_(socket), onFrequency_(std::move(onFrequency)), timing_(timing) {}

RigLink::~RigLink() {
    Stop();
}

void RigLink::Start(const FrequencySource& source, Millis now) {
    Stop();
    address_ = source.address;
    kind_ = source.kind;
    protocol_ = MakePollProtocol(source);
    trouble_ = Trouble::kNone;
    pause_ = timing_.firstPause;
    Connect(now);
}

void RigLink::Stop() {
    if (state_ == State::kConnecting || state_ == State::kReady || state_ == State::kAsking) {
        socket_.Close();
    }
    state_ = State::kStopped;
}

void RigLink::Connect(Millis now) {
    protocol_->Reset();
    state_ = State::kConnecting;
    due_ = now + timing_.connectTimeout;
    if (!socket_.Open(address_)) GiveUp(Trouble::kUnreachable, now);
}

void RigLink::Ask(PollProtocol::Query query, Millis now) {
    asked_ = query;
    bytesSinceAsked_ = 0;
    state_ = State::kAsking;
    due_ = now + timing_.answerTimeout;
    if (!socket_.Send(protocol_->Question(query))) GiveUp(Trouble::kUnreachable, now);
}

void RigLink::StartRound(Millis now) {
    roundStart_ = now;
    Ask(askTransmit_ ? PollProtocol::Query::kTransmit : PollProtocol::Query::kFrequency, now);
}

void RigLink::GiveUp(Trouble why, Millis now) {
    socket_.Close();
    if (askTransmit_ && onTransmit_) onTransmit_(TransmitReport::kLost, now);
    state_ = State::kPaused;
    trouble_ = why;
    due_ = now + pause_;
    pause_ = std::min(pause_ * 2, timing_.longestPause);
}

void RigLink::Tick(Millis now) {
    if (now < due_) return;
    switch (state_) {
    case State::kPaused: Connect(now); break;
    case State::kConnecting: GiveUp(Trouble::kUnreachable, now); break;
    case State::kAsking: GiveUp(Trouble::kSilent, now); break;
    case State::kReady: StartRound(now); break;
    case State::kStopped: break;
    }
}

void RigLink::OnConnected(Millis now) {
    if (state_ != State::kConnecting) return;
    state_ = State::kReady;
    StartRound(now);
}

void RigLink::OnConnectFailed(Millis now) {
    if (state_ == State::kConnecting) GiveUp(Trouble::kUnreachable, now);
}

void RigLink::OnClosed(Millis now) {
    if (state_ == State::kConnecting || state_ == State::kReady || state_ == State::kAsking) {
        GiveUp(Trouble::kUnreachable, now);
    }
}

void RigLink::OnData(std::string_view bytes, Millis now) {
    if (state_ != State::kReady && state_ != State::kAsking) return;
    bytesSinceAsked_ += bytes.size();
    if (bytesSinceAsked_ > timing_.floodBytes) {
        GiveUp(Trouble::kFlood, now);
        return;
    }
    answers_.clear();
    protocol_->Feed(bytes, answers_);
    // One answer per question; lines nobody asked for are dropped (they came before the next
    // question was sent).
    if (!answers_.empty() && state_ == State::kAsking) TakeAnswer(answers_.front(), now);
    if (protocol_->Lost()) GiveUp(Trouble::kUnreadable, now);
}

void RigLink::TakeAnswer(const RigAnswer& answer, Millis now) {
    if (asked_ == PollProtocol::Query::kTransmit) {
        // The frequency follows at once, within the same round.
        Ask(PollProtocol::Query::kFrequency, now);
        if (onTransmit_) onTransmit_(ReadTransmit(answer), now);
        return;
    }
    switch (answer.kind) {
    case RigAnswer::Kind::kFrequency:
        trouble_ = Trouble::kNone;
        pause_ = timing_.firstPause;
        break;
    case RigAnswer::Kind::kError:
        trouble_ = Trouble::kRigError;
        rigError_ = answer.code;
        break;
    case RigAnswer::Kind::kUnreadable:
    case RigAnswer::Kind::kTransmitState:
        trouble_ = Trouble::kUnreadable;
        break;
    }
    state_ = State::kReady;
    due_ = std::max(roundStart_ + timing_.pollPeriod, now);
    if (answer.kind == RigAnswer::Kind::kFrequency && onFrequency_) onFrequency_(answer.hz);
}

std::optional<Millis> RigLink::NextDue() const {
    if (state_ == State::kStopped) return std::nullopt;
    return due_;
}

}  // namespace torvik::bands

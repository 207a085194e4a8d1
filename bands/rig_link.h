#pragma once
// The connection to the frequency source as a state machine without a clock or a socket of
// its own: the platform gives it a RigSocket, tells it the time and what the socket did, and
// wakes it at NextDue(). It asks for the frequency ten times a second (rigctld's "f" or flrig's
// XML-RPC call, see PollProtocol), one question at a time; when the transmit state is wanted,
// each round asks for it first ("t"), then for the frequency. It gives up on a source that does not connect or answer in time, or floods it, and
// tries again after a pause that doubles up to 30 s. Nothing here waits.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bands/band_rules.h"
#include "bands/poll_protocol.h"
#include "bands/rig_answer.h"
#include "bands/source_kind.h"
#include "bands/transmit_guard.h"

namespace torvik::bands {

using Millis = std::int64_t;  // a monotonic clock in milliseconds

// What the platform's socket does for the link. Open starts a connection without waiting;
// it ends later in OnConnected or OnConnectFailed (false: it could not even start).
class RigSocket {
public:
    virtual ~RigSocket() = default;
    virtual bool Open(const SourceAddress& address) = 0;
    // Queues the bytes; false when the connection is lost.
    virtual bool Send(std::string_view bytes) = 0;
    virtual void Close() = 0;
};

struct RigTiming {
    Millis pollPeriod = 100;
    Millis connectTimeout = 3000;
    Millis answerTimeout = 2000;
    Millis firstPause = 1000;
    Millis longestPause = 30000;
    // More bytes than this before an answer is due counts as a flood.
    std::size_t floodBytes = 4096;
};

class RigLink {
public:
    enum class State { kStopped, kPaused, kConnecting, kReady, kAsking };
    // Why the last connection ended, or what the last answer was, for the status text.
    enum class Trouble { kNone, kUnreachable, kSilent, kFlood, kRigError, kUnreadable };

    // onFrequency hears every frequency answered, in order.
    RigLink(RigSocket& socket, std::function<void(std::uint64_t hz)> onFrequency,
            RigTiming timing = {});
    ~RigLink();
    RigLink(const RigLink&) = delete;
    RigLink& operator=(const RigLink&) = delete;

    // A polled source: rigctld or flrig.
    void Start(const FrequencySource& source, Millis now);
    void Start(const SourceAddress& rigctld, Millis now) {
        Start(FrequencySource{SourceKind::kRigctld, rigctld, 1}, now);
    }
    void Stop();
    // Whether each round also asks for the transmit state.
    void AskTransmit(bool ask) { askTransmit_ = ask; }
    // Hears each transmit state answered while asked for, and kLost when the connection ends.
    void OnTransmit(std::function<void(TransmitReport, Millis now)> onTransmit) {
        onTransmit_ = std::move(onTransmit);
    }

    // The platform's events. Tick runs whatever is due at now.
    void Tick(Millis now);
    void OnConnected(Millis now);
    void OnConnectFailed(Millis now);
    void OnData(std::string_view bytes, Millis now);
    void OnClosed(Millis now);

    // When Tick must run next; nothing while stopped.
    std::optional<Millis> NextDue() const;

    State state() const { return state_; }
    Trouble trouble() const { return trouble_; }
    int rigErrorCode() const { return rigError_; }
    Millis currentPause() const { return pause_; }
    const SourceAddress& address() const { return address_; }
    SourceKind kind() const { return kind_; }

private:
    void Connect(Millis now);
    void Ask(PollProtocol::Query query, Millis now);
    // The round's first question: the transmit state when asked for, else the frequency.
    void StartRound(Millis now);
    // Closes the connection and waits the pause (then doubles it) before the next try.
    void GiveUp(Trouble why, Millis now);
    void TakeAnswer(const RigAnswer& answer, Millis now);

    RigSocket& socket_;
    std::function<void(std::uint64_t)> onFrequency_;
    RigTiming timing_;
    SourceAddress address_;
    SourceKind kind_ = SourceKind::kRigctld;
    State state_ = State::kStopped;
    Trouble trouble_ = Trouble::kNone;
    int rigError_ = 0;
    Millis due_ = 0;       // the pause's end, a time-out, or the next question
    Millis roundStart_ = 0;
    PollProtocol::Query asked_ = PollProtocol::Query::kFrequency;
    bool askTransmit_ = false;
    std::function<void(TransmitReport, Millis)> onTransmit_;
    Millis pause_ = 0;
    std::size_t bytesSinceAsked_ = 0;
    std::unique_ptr<PollProtocol> protocol_ = std::make_unique<RigctldProtocol>();
    std::vector<RigAnswer> answers_;
};

}  // namespace torvik::bands

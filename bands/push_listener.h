#pragma once
// A pushed source (a logger's RadioInfo, WSJT-X's Status) as a state machine without a clock
// or a socket of its own, as RigLink is for the polled ones: the platform gives it a
// DatagramSocket, tells it the time and every datagram, and wakes it at NextDue(). Datagrams
// that cannot be read, come from elsewhere or speak for another radio change nothing. Silence
// changes nothing either; after silentAfter it is only shown.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "bands/rig_link.h"
#include "bands/source_kind.h"
#include "bands/transmit_guard.h"

namespace torvik::bands {

// What the platform's UDP socket does for the listener.
class DatagramSocket {
public:
    virtual ~DatagramSocket() = default;
    // Binds to address (with SO_REUSEADDR, so that other programs may listen there too);
    // false when the port cannot be had.
    virtual bool Listen(const SourceAddress& address) = 0;
    virtual void Close() = 0;
};

struct PushTiming {
    Millis silentAfter = 30000;
    Millis listenRetry = 5000;  // after a port that could not be bound
};

class PushListener {
public:
    enum class State { kStopped, kListening, kUnbound };

    // onFrequency hears every frequency reported for the followed radio, in order.
    PushListener(DatagramSocket& socket, std::function<void(std::uint64_t hz)> onFrequency,
                 PushTiming timing = {});
    ~PushListener();
    PushListener(const PushListener&) = delete;
    PushListener& operator=(const PushListener&) = delete;

    void Start(const FrequencySource& source, Millis now);
    void Stop();
    // onTransmit hears the transmit state of every report that carries one (a RadioInfo for
    // the followed radio, a WSJT-X Status).
    void OnTransmit(std::function<void(TransmitReport, Millis now)> onTransmit) {
        onTransmit_ = std::move(onTransmit);
    }

    // The platform's events.
    void OnDatagram(std::string_view bytes, const std::uint8_t (&sender)[4], Millis now);
    void Tick(Millis now);
    std::optional<Millis> NextDue() const;

    State state() const { return state_; }
    const FrequencySource& source() const { return source_; }
    // Nothing readable for the followed radio since silentAfter.
    bool Silent() const { return silent_; }
    // Something was heard since Start.
    bool Heard() const { return heard_; }
    // The last report said the logger has no radio.
    bool NoRadio() const { return noRadio_; }
    // Datagrams taken and refused since Start, for the tests and the status.
    std::uint64_t refused() const { return refused_; }

private:
    // The frequency in bytes when they are a report for us, 0 when a report carries none.
    std::optional<std::uint64_t> Read(std::string_view bytes);
    // Of the report just read: whether it says the radio transmits, when it says anything.
    std::optional<bool> keyed_;
    std::function<void(TransmitReport, Millis)> onTransmit_;

    DatagramSocket& socket_;
    std::function<void(std::uint64_t)> onFrequency_;
    PushTiming timing_;
    FrequencySource source_;
    State state_ = State::kStopped;
    Millis lastHeard_ = 0;
    Millis retryAt_ = 0;
    bool heard_ = false;
    bool silent_ = false;
    bool noRadio_ = false;
    std::uint64_t refused_ = 0;
};

}  // namespace torvik::bands

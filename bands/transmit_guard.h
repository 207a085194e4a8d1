#pragma once
// Protection while a transmitter keys: what the source says about the transmitter, turned into
// "protect" and "release". A transmit report protects at once; only receive reported without a
// break for the hang time releases. A source that cannot tell, an answer that cannot be read or
// a source that is lost changes nothing: a protected station stays protected until the radio is
// heard in receive again, or until the source is stopped or changed (Release).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace torvik::bands {

using Millis = std::int64_t;  // a monotonic clock in milliseconds

enum class TransmitReport {
    kReceive,
    kTransmit,
    kCannotTell,   // the source says it cannot know (rigctld's RPRT -11)
    kUnreadable,   // an answer that is none of the above, or another error
    kLost,         // the source stopped answering or went away
};

inline constexpr const char* kTransmittingText = "transmitting \xE2\x80\x94 antennas off";

class TransmitGuard {
public:
    // onChange hears true when protection begins and false when it ends.
    explicit TransmitGuard(std::function<void(bool protect)> onChange = {});

    void OnChange(std::function<void(bool protect)> onChange) { onChange_ = std::move(onChange); }
    // Turned off, a protected station is released at once.
    void Configure(bool enabled, std::uint32_t hangMs);
    void Report(TransmitReport report, Millis now);
    // Ends the hang when it is over.
    void Tick(Millis now);
    // The hang's end while one runs.
    std::optional<Millis> NextDue() const;
    // The source was stopped or changed: protection ends now.
    void Release();
    // Forgets everything without telling anyone (no box; the program ends protected).
    void Forget();

    bool Enabled() const { return enabled_; }
    bool Protecting() const { return protecting_; }
    // The last report, nothing before the first.
    std::optional<TransmitReport> Last() const { return last_; }

private:
    void Set(bool protect);

    std::function<void(bool)> onChange_;
    bool enabled_ = false;
    std::uint32_t hangMs_ = 0;
    bool protecting_ = false;
    std::optional<Millis> receiveSince_;
    std::optional<TransmitReport> last_;
};

// What the status adds about the transmit state: empty while it is known (or not asked).
std::string TransmitUnknownText(std::optional<TransmitReport> last);

}  // namespace torvik::bands

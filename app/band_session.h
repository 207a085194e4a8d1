#pragma once
// Band following in the main window, the same on every platform: the present box's plan
// taken up after each settings load, the link woken when it is due (at least once a minute),
// the status on a line under the window's controls and in the tray tip, torvikctl's requests,
// the "Band following" dialog, and the end before the box is let go. A platform gives it the
// socket and a BandView, and turns its timer and socket events into the calls below.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "bands/band_following.h"

namespace torvik {

class SwitchController;

// What band following asks of the main window.
class BandView {
public:
    virtual ~BandView() = default;
    // Wakes the session (OnTimer) after waitMs; nothing: no wake is due.
    virtual void ArmBandTimer(std::optional<bands::Millis> waitMs) = 0;
    // A socket (the rig's or the datagrams') may have opened, closed or want other events: a
    // platform that watches their descriptors looks again. Told after everything the link may have acted on.
    virtual void WatchSocket() {}
    // A line under every control of the window's template, bands::kStatusLineUnits high and
    // bands::kStatusMarginUnits in from either side: the window grows by it, nothing moves.
    virtual void AddBandLine() = 0;
    // Too long for the line, the end gives way to an ellipsis.
    virtual void SetBandLineText(const std::string& status) = 0;
    // The line goes and the window shrinks back to its template.
    virtual void RemoveBandLine() = 0;
    // The message without a box (bands::kNoBoxText, bands::kNoBoxCaption).
    virtual void ShowNoBoxNotice() = 0;
    // The "Band following" dialog over the main window, modal, editing following.
    virtual void RunBandsDialog(bands::BandFollowing& following) = 0;
};

class BandSession {
public:
    // clock: the platform's monotonic milliseconds. socket serves the polled sources,
    // datagrams the pushed ones.
    BandSession(SwitchController& controller, bands::RigSocket& socket,
                bands::DatagramSocket& datagrams, BandView& view, SettingsStore& settings,
                std::function<bands::Millis()> clock, bands::RigTiming timing = {});
    ~BandSession();
    BandSession(const BandSession&) = delete;
    BandSession& operator=(const BandSession&) = delete;

    // After every settings load: the plan of the box now present (or none).
    void Reload();
    // The band timer has run out.
    void OnTimer();
    // After a socket told the link or the listener what happened on it.
    void OnSocketEvent() { Settle(); }
    // A torvikctl request: the words after "bands", as JoinWords made them.
    bands::BandsReply Command(std::string_view request);
    // The tray's "Band following": the dialog, or with no box the notice.
    void OpenDialog();
    // Following stops: the connection closes, no wake is due. The status stays as shown.
    void Stop();
    // The main window's end: following stops before the controller lets the box go, so no
    // rule is applied to a closed link.
    void Shutdown();
    // The storm lock's line (empty: unlocked): it shares the line under the window's controls,
    // before band following's status.
    void ShowLockLine(const std::string& text);
    // The MQTT link's status (empty: none), last on the same line.
    void ShowMqttLine(const std::string& text);

    bands::RigLink& Link() { return following_.follower().link(); }
    bands::PushListener& Listener() { return following_.follower().listener(); }
    const bands::BandFollowing& Following() const { return following_; }
    bands::Millis Now() const { return clock_(); }

private:
    // After anything the link may have acted on: the socket's watch, the timer for its next
    // step, and the status where it is shown.
    void Settle();
    void ShowStatus(const std::string& status);
    // The line as the lock and following's status make it, added or removed as it comes and goes.
    void ShowLine();
    // A band rule's mask: applied, or kept while the transmitter keys.
    void ApplyBandMask(std::uint32_t mask);
    // The transmit guard's protect and release; a kept band mask follows the release.
    void OnProtect(bool protect);

    SwitchController& controller_;
    BandView& view_;
    std::function<bands::Millis()> clock_;
    bands::BandFollowing following_;
    std::string shownStatus_;
    std::string lockLine_;
    std::string mqttLine_;
    std::string shownLine_;   // empty: no line
    std::optional<std::uint32_t> heldBandMask_;
};

// The link is looked at at least this often, whatever it says.
inline constexpr bands::Millis kLongestBandWait = 60000;

// A rule's mask through the set-state path, so switch and mixer mode act as for any other
// program; the fourth output keeps its state (a band rule has no say over it, and a bit 3 that
// differed would turn every antenna off in switch mode). Answers the new mask.
std::int32_t ApplyRuleMask(SwitchController& controller, std::uint32_t ruleMask);

// The serial of the box now present, as BandFollowing::UseBox takes it: empty without a box.
std::string PresentBoxSerial(const SwitchController& controller);

}  // namespace torvik

#include "bands/transmit_guard.h"

#include <utility>

namespace torvik::bands {

TransmitGuard::TransmitGuard(std::function<void(bool)> onChange)
    : onChange_(std::move(onChange)) {}

void TransmitGuard::Configure(bool enabled, std::uint32_t hangMs) {
    hangMs_ = hangMs;
    if (enabled == enabled_) return;
    enabled_ = enabled;
    last_.reset();
    receiveSince_.reset();
    if (!enabled_) Set(false);
}

void TransmitGuard::Report(TransmitReport report, Millis now) {
    if (!enabled_) return;
    last_ = report;
    switch (report) {
    case TransmitReport::kTransmit:
        receiveSince_.reset();
        Set(true);
        return;
    case TransmitReport::kReceive:
        if (protecting_ && !receiveSince_) receiveSince_ = now;
        Tick(now);
        return;
    case TransmitReport::kCannotTell:
    case TransmitReport::kUnreadable:
    case TransmitReport::kLost:
        // Receive must be heard without a break: the hang starts over with the next one.
        receiveSince_.reset();
        return;
    }
}

void TransmitGuard::Tick(Millis now) {
    if (protecting_ && receiveSince_ && now - *receiveSince_ >= static_cast<Millis>(hangMs_)) {
        receiveSince_.reset();
        Set(false);
    }
}

std::optional<Millis> TransmitGuard::NextDue() const {
    if (!protecting_ || !receiveSince_) return std::nullopt;
    return *receiveSince_ + static_cast<Millis>(hangMs_);
}

void TransmitGuard::Release() {
    receiveSince_.reset();
    last_.reset();
    Set(false);
}

void TransmitGuard::Forget() {
    receiveSince_.reset();
    last_.reset();
    protecting_ = false;
}

void TransmitGuard::Set(bool protect) {
    if (protect == protecting_) return;
    protecting_ = protect;
    if (onChange_) onChange_(protect);
}

std::string TransmitUnknownText(std::optional<TransmitReport> last) {
    if (last == TransmitReport::kCannotTell) return "Transmit state unknown: the radio cannot tell";
    if (last == TransmitReport::kUnreadable) {
        return "Transmit state unknown: the source's answer cannot be read";
    }
    return {};
}

}  // namespace torvik::bands

#pragma once
// The frequency source's answers to "f" (the frequency in Hz) and "t" (the transmit state:
// 0 receive, 1 to 3 transmit): one line per answer, or "RPRT <code>" when the rig reports an
// error. The bytes arrive in pieces of any size; the
// reader keeps at most one line and never more than kMaxLine bytes of it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvik::bands {

struct RigAnswer {
    enum class Kind { kFrequency, kError, kUnreadable, kTransmitState };
    Kind kind = Kind::kUnreadable;
    std::uint64_t hz = 0;  // kFrequency
    int code = 0;          // kError: the number after RPRT (negative), 0 when unreadable
    bool keyed = false;    // kTransmitState
    friend bool operator==(const RigAnswer&, const RigAnswer&) = default;
};

// One line without its line end. A frequency is decimal digits, optionally followed by a
// decimal point and zeros only (a whole number printed as a real); a sign, a true fraction, an
// exponent, anything else, or more than kMaxFrequencyHz is unreadable.
RigAnswer ParseAnswerLine(std::string_view line);
// One answer to "t": a single digit 0 (receive) or 1 to 3 (transmit), or a report.
RigAnswer ParseTransmitLine(std::string_view line);

class RigAnswerReader {
public:
    // Longest line taken, line end excluded; a longer one is one unreadable answer.
    static constexpr std::size_t kMaxLine = 64;

    // Appends every answer completed by bytes to answers.
    void Feed(std::string_view bytes, std::vector<RigAnswer>& answers);
    // Forgets a partial line (a new connection starts clean).
    void Reset();
    // The lines that follow answer "t" (true) or "f" (false).
    void ExpectTransmit(bool transmit) { transmit_ = transmit; }
    // Bytes held of an unfinished line.
    std::size_t Pending() const { return line_.size(); }

private:
    std::string line_;
    bool overlong_ = false;  // the current line passed kMaxLine: skip to its end
    bool transmit_ = false;
};

}  // namespace torvik::bands

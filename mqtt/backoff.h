#pragma once
// The pauses between connection attempts: 1 s, doubling after every failure, at most 60 s;
// back to the first after a connection that was accepted.

#include <cstdint>

namespace torvik::mqtt {

inline constexpr std::uint32_t kFirstPauseMs = 1000;
inline constexpr std::uint32_t kLongestPauseMs = 60000;

class Backoff {
public:
    // The pause before the next attempt; each call lengthens the following one.
    std::uint32_t NextPauseMs();
    void Reset() { next_ = kFirstPauseMs; }

private:
    std::uint32_t next_ = kFirstPauseMs;
};

}  // namespace torvik::mqtt

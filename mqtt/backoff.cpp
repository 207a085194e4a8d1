#include "mqtt/backoff.h"

#include <algorithm>

namespace torvik::mqtt {

std::uint32_t Backoff::NextPauseMs() {
    const std::uint32_t pause = next_;
    next_ = std::min(next_ * 2, kLongestPauseMs);
    return pause;
}

}  // namespace torvik::mqtt

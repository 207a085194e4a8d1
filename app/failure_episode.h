#pragma once
// Failures of the box link are told to the user once per episode: the first failed write
// after a good one opens an episode, and every failure until the next good write belongs to
// it. A box that keeps refusing is reported once, not once per click.

#include "device/output_write.h"

namespace torvik {

class FailureEpisode {
public:
    // Takes one write's outcome; true when it is a failure that opens a new episode.
    bool Record(OutputWrite outcome) {
        const bool wasOpen = open_;
        open_ = outcome != OutputWrite::Written;
        return open_ && !wasOpen;
    }

private:
    bool open_ = false;
};

}  // namespace torvik

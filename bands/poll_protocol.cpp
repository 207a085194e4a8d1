#include "bands/poll_protocol.h"

#include "bands/flrig_protocol.h"

namespace torvik::bands {

std::unique_ptr<PollProtocol> MakePollProtocol(const FrequencySource& chosen) {
    if (chosen.kind == SourceKind::kFlrig) return std::make_unique<FlrigProtocol>(chosen.address);
    return std::make_unique<RigctldProtocol>();
}

}  // namespace torvik::bands

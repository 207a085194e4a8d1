#include "mqtt/link_status.h"

namespace torvik::mqtt {

LinkState StateOfConnack(int returnCode) {
    switch (returnCode) {
    case 0: return LinkState::kConnected;
    case 4:
    case 5: return LinkState::kNotAuthorised;
    default: return LinkState::kUnreachable;
    }
}

std::string StatusText(LinkState state, std::uint64_t ignored) {
    std::string text;
    switch (state) {
    case LinkState::kOff:
    case LinkState::kConnecting: return text;
    case LinkState::kConnected: text = kConnectedText; break;
    case LinkState::kNotAuthorised: text = kNotAuthorisedText; break;
    case LinkState::kUnreachable: text = kUnreachableText; break;
    case LinkState::kNoTls: text = kNoTlsText; break;
    }
    if (ignored > 0) text += ", " + std::to_string(ignored) + " ignored";
    return text;
}

}  // namespace torvik::mqtt

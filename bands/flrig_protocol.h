#pragma once
// flrig's XML-RPC over HTTP: "rig.get_vfo" posted to /RPC2 on a kept-alive connection, answered
// with the frequency in Hz as a string, and "rig.get_ptt", answered 0 or 1.

#include <string>
#include <string_view>
#include <vector>

#include "bands/http_reply.h"
#include "bands/poll_protocol.h"

namespace torvik::bands {

// The frequency in an XML-RPC reply body: a string (or int, or a double without a fraction)
// read as rigctld's lines are; a fault is an error, anything else unreadable.
RigAnswer ReadFlrigFrequency(std::string_view body);
// The transmit state in a reply to rig.get_ptt: 0 receive, 1 transmit; a fault is an error.
RigAnswer ReadFlrigPtt(std::string_view body);

// The HTTP request calling method without parameters, for host's Host header.
std::string XmlRpcRequest(std::string_view method, const SourceAddress& host);

class FlrigProtocol final : public PollProtocol {
public:
    explicit FlrigProtocol(const SourceAddress& address) : address_(address) {}
    std::string Question(Query query) override;
    void Feed(std::string_view bytes, std::vector<RigAnswer>& answers) override;
    void Reset() override { reply_.Reset(); }
    bool Lost() const override { return reply_.state() == HttpReplyReader::State::kBroken; }

private:
    SourceAddress address_;
    HttpReplyReader reply_;
    Query asked_ = Query::kFrequency;
};

}  // namespace torvik::bands

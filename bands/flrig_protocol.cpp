#include "bands/flrig_protocol.h"

#include <optional>

#include "bands/xml_fields.h"

namespace torvik::bands {
namespace {

constexpr std::string_view kValue = "methodResponse/params/param/value";
constexpr std::string_view kFault = "methodResponse/fault";

std::optional<std::string_view> ValueText(const std::vector<XmlField>& fields) {
    // An untyped value is a string; otherwise the one typed element under it.
    for (const char* type : {"/string", "/i4", "/int", "/double"}) {
        if (auto text = FieldText(fields, std::string(kValue) + type)) return text;
    }
    return FieldText(fields, kValue);
}

// The reply's value read by parse, when it gives wanted; a fault is an error.
RigAnswer ReadValue(std::string_view body, RigAnswer (*parse)(std::string_view),
                    RigAnswer::Kind wanted) {
    const std::optional<std::vector<XmlField>> fields = ReadXmlFields(body);
    if (!fields || fields->empty() || (*fields)[0].path != "methodResponse") return {};
    if (FieldText(*fields, kFault)) return {RigAnswer::Kind::kError, 0, -1};
    const std::optional<std::string_view> text = ValueText(*fields);
    if (!text) return {};
    const RigAnswer answer = parse(*text);
    return answer.kind == wanted ? answer : RigAnswer{};
}

}  // namespace

RigAnswer ReadFlrigFrequency(std::string_view body) {
    return ReadValue(body, ParseAnswerLine, RigAnswer::Kind::kFrequency);
}

RigAnswer ReadFlrigPtt(std::string_view body) {
    return ReadValue(body, ParseTransmitLine, RigAnswer::Kind::kTransmitState);
}

std::string XmlRpcRequest(std::string_view method, const SourceAddress& host) {
    const std::string body = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>" +
                             std::string(method) + "</methodName><params></params></methodCall>";
    return "POST /RPC2 HTTP/1.1\r\nHost: " + host.Text() +
           "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

std::string FlrigProtocol::Question(Query query) {
    asked_ = query;
    return XmlRpcRequest(query == Query::kTransmit ? "rig.get_ptt" : "rig.get_vfo", address_);
}

void FlrigProtocol::Feed(std::string_view bytes, std::vector<RigAnswer>& answers) {
    while (!bytes.empty() && !Lost()) {
        const std::size_t taken = reply_.Feed(bytes);
        bytes.remove_prefix(taken);
        if (reply_.state() == HttpReplyReader::State::kBroken) {
            answers.push_back({});
        } else if (reply_.state() == HttpReplyReader::State::kDone) {
            const bool ok = reply_.status() == 200;
            if (!ok) {
                answers.push_back({});
            } else if (asked_ == Query::kTransmit) {
                answers.push_back(ReadFlrigPtt(reply_.body()));
            } else {
                answers.push_back(ReadFlrigFrequency(reply_.body()));
            }
            reply_.Reset();
        } else if (taken == 0) {
            break;
        }
    }
}

}  // namespace torvik::bands

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

}  // namespace

RigAnswer ReadFlrigFrequency(std::string_view body) {
    const std::optional<std::vector<XmlField>> fields = ReadXmlFields(body);
    if (!fields || fields->empty() || (*fields)[0].path != "methodResponse") return {};
    if (FieldText(*fields, kFault)) return {RigAnswer::Kind::kError, 0, -1};
    const std::optional<std::string_view> text = ValueText(*fields);
    if (!text) return {};
    const RigAnswer answer = ParseAnswerLine(*text);
    return answer.kind == RigAnswer::Kind::kFrequency ? answer : RigAnswer{};
}

std::string XmlRpcRequest(std::string_view method, const SourceAddress& host) {
    const std::string body = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>" +
                             std::string(method) + "</methodName><params></params></methodCall>";
    return "POST /RPC2 HTTP/1.1\r\nHost: " + host.Text() +
           "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

std::string FlrigProtocol::Question() const {
    return XmlRpcRequest("rig.get_vfo", address_);
}

void FlrigProtocol::Feed(std::string_view bytes, std::vector<RigAnswer>& answers) {
    while (!bytes.empty() && !Lost()) {
        const std::size_t taken = reply_.Feed(bytes);
        bytes.remove_prefix(taken);
        if (reply_.state() == HttpReplyReader::State::kBroken) {
            answers.push_back({});
        } else if (reply_.state() == HttpReplyReader::State::kDone) {
            answers.push_back(reply_.status() == 200 ? ReadFlrigFrequency(reply_.body())
                                                     : RigAnswer{});
            reply_.Reset();
        } else if (taken == 0) {
            break;
        }
    }
}

}  // namespace torvik::bands

#include "bands/xml_fields.h"

#include <expat.h>

#include <memory>

namespace torvik::bands {
namespace {

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using Parser = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree>;

struct Collector {
    XML_Parser parser = nullptr;
    std::vector<XmlField> fields;
    std::vector<std::size_t> open;  // indexes into fields of the elements not yet closed
    bool refused = false;

    void Refuse() {
        refused = true;
        XML_StopParser(parser, XML_FALSE);
    }
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char**) {
    auto& c = *static_cast<Collector*>(data);
    if (c.refused) return;
    if (c.open.size() >= kMaxXmlDepth || c.fields.size() >= kMaxXmlElements) return c.Refuse();
    std::string path = c.open.empty() ? std::string() : c.fields[c.open.back()].path + "/";
    path += name;
    c.open.push_back(c.fields.size());
    c.fields.push_back({std::move(path), {}});
}

void XMLCALL OnEnd(void* data, const XML_Char*) {
    auto& c = *static_cast<Collector*>(data);
    if (!c.open.empty()) c.open.pop_back();
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
    auto& c = *static_cast<Collector*>(data);
    if (c.refused || c.open.empty() || length < 0) return;
    std::string& own = c.fields[c.open.back()].text;
    if (own.size() + static_cast<std::size_t>(length) > kMaxXmlText) return c.Refuse();
    own.append(text, static_cast<std::size_t>(length));
}

void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<Collector*>(data)->Refuse();
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::vector<XmlField>> ReadXmlFields(std::string_view document) {
    if (document.size() > kMaxXmlBytes) return std::nullopt;
    const Parser parser(XML_ParserCreate(nullptr));
    if (!parser) return std::nullopt;
    Collector collector;
    collector.parser = parser.get();
    XML_SetUserData(parser.get(), &collector);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    const XML_Status status = XML_Parse(parser.get(), document.data(),
                                        static_cast<int>(document.size()), XML_TRUE);
    if (status != XML_STATUS_OK || collector.refused) return std::nullopt;
    return std::move(collector.fields);
}

std::optional<std::string_view> FieldText(const std::vector<XmlField>& fields,
                                          std::string_view path) {
    for (const XmlField& field : fields) {
        if (field.path != path) continue;
        std::string_view text = field.text;
        while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
        while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
        return text;
    }
    return std::nullopt;
}

}  // namespace torvik::bands

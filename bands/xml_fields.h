#pragma once
// A small XML document (a datagram, an HTTP body) read with expat into its elements' texts,
// each under its path from the root ("RadioInfo/Freq"). Whatever is not plain, small and
// well-formed is refused as a whole: a document over kMaxXmlBytes, a DOCTYPE (no entities of
// the sender's own), nesting deeper than kMaxXmlDepth, more than kMaxXmlElements elements or a
// text over kMaxXmlText bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvik::bands {

inline constexpr std::size_t kMaxXmlBytes = 64 * 1024;
inline constexpr std::size_t kMaxXmlDepth = 16;
inline constexpr std::size_t kMaxXmlElements = 512;
inline constexpr std::size_t kMaxXmlText = 1024;

struct XmlField {
    std::string path;  // element names from the root, joined by '/'
    std::string text;  // the element's own character data, untrimmed
};

// In document order; nothing when the document is refused.
std::optional<std::vector<XmlField>> ReadXmlFields(std::string_view document);

// The text of the first field at path, spaces and line ends around it removed.
std::optional<std::string_view> FieldText(const std::vector<XmlField>& fields,
                                          std::string_view path);

}  // namespace torvik::bands

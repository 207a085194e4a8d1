#include "core/profile_encoding.h"

#include <cstdint>

namespace torvik::profile {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::uint32_t UnitAt(std::string_view bytes, std::size_t i, bool bigEndian) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (first << 8u) | second : (second << 8u) | first;
}

void AppendUtf8(std::uint32_t code, std::string& out) {
    auto put = [&out](std::uint32_t byte) { out.push_back(static_cast<char>(byte)); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | (code >> 6));
        put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        put(0xE0 | (code >> 12));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    } else {
        put(0xF0 | (code >> 18));
        put(0x80 | ((code >> 12) & 0x3F));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    }
}

void AppendUnit(std::uint32_t unit, FileEncoding encoding, std::string& out) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    if (encoding == FileEncoding::kUtf16Be) {
        out.push_back(high);
        out.push_back(low);
    } else {
        out.push_back(low);
        out.push_back(high);
    }
}

bool IsContinuation(std::string_view text, std::size_t i) {
    return i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
}

// The character at text[i] and its length in bytes; a byte that starts no UTF-8 sequence
// stands for itself.
std::uint32_t CodeAt(std::string_view text, std::size_t i, std::size_t& length) {
    const auto byte = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(text[i + k]));
    };
    const std::uint32_t lead = byte(0);
    length = 1;
    if ((lead & 0xE0) == 0xC0 && IsContinuation(text, i + 1)) {
        const std::uint32_t code = ((lead & 0x1F) << 6) | (byte(1) & 0x3F);
        if (code >= 0x80) length = 2;
        return length == 2 ? code : lead;
    }
    if ((lead & 0xF0) == 0xE0 && IsContinuation(text, i + 1) && IsContinuation(text, i + 2)) {
        const std::uint32_t code =
            ((lead & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        if (code >= 0x800) length = 3;
        return length == 3 ? code : lead;
    }
    if ((lead & 0xF8) == 0xF0 && IsContinuation(text, i + 1) && IsContinuation(text, i + 2) &&
        IsContinuation(text, i + 3)) {
        const std::uint32_t code = ((lead & 0x07) << 18) | ((byte(1) & 0x3F) << 12) |
                                   ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
        if (code >= 0x10000 && code <= 0x10FFFF) length = 4;
        return length == 4 ? code : lead;
    }
    return lead;
}

}  // namespace

DecodedFile DecodeFile(std::string_view bytes) {
    DecodedFile file;
    if (bytes.starts_with(kUtf16LeMark)) {
        file.encoding = FileEncoding::kUtf16Le;
    } else if (bytes.starts_with(kUtf16BeMark)) {
        file.encoding = FileEncoding::kUtf16Be;
    } else {
        file.text = std::string(bytes);
        return file;
    }
    const bool bigEndian = file.encoding == FileEncoding::kUtf16Be;
    bytes.remove_prefix(2);
    file.lossless = bytes.size() % 2 == 0;
    file.text.reserve(bytes.size());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t code = UnitAt(bytes, i, bigEndian);
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t trail = UnitAt(bytes, i + 2, bigEndian);
            if (trail >= 0xDC00 && trail < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (trail - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(code, file.text);
    }
    return file;
}

std::string EncodeFile(std::string_view text, FileEncoding encoding) {
    if (encoding == FileEncoding::kBytes) return std::string(text);
    std::string out(encoding == FileEncoding::kUtf16Be ? kUtf16BeMark : kUtf16LeMark);
    out.reserve(2 * text.size() + 2);
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const std::uint32_t code = CodeAt(text, i, length);
        i += length;
        if (code >= 0x10000) {
            AppendUnit(0xD800 + ((code - 0x10000) >> 10), encoding, out);
            AppendUnit(0xDC00 + ((code - 0x10000) & 0x3FF), encoding, out);
        } else {
            AppendUnit(code, encoding, out);
        }
    }
    return out;
}

}  // namespace torvik::profile

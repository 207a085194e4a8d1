#include "bands/http_reply.h"

#include <charconv>

namespace torvik::bands {
namespace {

constexpr std::string_view kHeadEnd = "\r\n\r\n";

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

void HttpReplyReader::Reset() {
    state_ = State::kHead;
    head_.clear();
    body_.clear();
    length_ = 0;
    status_ = 0;
}

std::size_t HttpReplyReader::Feed(std::string_view bytes) {
    std::size_t taken = 0;
    if (state_ == State::kHead) {
        // Enough of the old head is looked at again to find an end split between pieces.
        const std::size_t from = head_.size() < 3 ? 0 : head_.size() - 3;
        const std::size_t room = kMaxHead - head_.size();
        head_.append(bytes.substr(0, room));
        const std::size_t end = head_.find(kHeadEnd, from);
        if (end == std::string::npos) {
            if (head_.size() >= kMaxHead) state_ = State::kBroken;
            return std::min(bytes.size(), room);
        }
        const std::size_t headBytesBefore = head_.size() - std::min(bytes.size(), room);
        taken = end + kHeadEnd.size() - headBytesBefore;
        head_.resize(end);
        if (!ReadHead()) {
            state_ = State::kBroken;
            return taken;
        }
        state_ = length_ == 0 ? State::kDone : State::kBody;
        bytes.remove_prefix(taken);
    }
    if (state_ == State::kBody) {
        const std::size_t wanted = std::min(length_ - body_.size(), bytes.size());
        body_.append(bytes.substr(0, wanted));
        taken += wanted;
        if (body_.size() == length_) state_ = State::kDone;
    }
    return taken;
}

bool HttpReplyReader::ReadHead() {
    std::string_view head = head_;
    std::size_t lineEnd = head.find("\r\n");
    std::string_view line = head.substr(0, lineEnd);
    // "HTTP/1.0 200 OK" or "HTTP/1.1 200 OK"
    if (line.size() < 12 || (line.substr(0, 9) != "HTTP/1.1 " && line.substr(0, 9) != "HTTP/1.0 ")) {
        return false;
    }
    const auto [end, error] = std::from_chars(line.data() + 9, line.data() + 12, status_);
    if (error != std::errc{} || end != line.data() + 12 || status_ < 100 ||
        (line.size() > 12 && line[12] != ' ')) {
        return false;
    }
    bool haveLength = false;
    while (lineEnd != std::string_view::npos) {
        head.remove_prefix(lineEnd + 2);
        lineEnd = head.find("\r\n");
        line = head.substr(0, lineEnd);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0) return false;
        const std::string_view name = line.substr(0, colon);
        const std::string_view value = Trimmed(line.substr(colon + 1));
        if (SameLetters(name, "transfer-encoding")) return false;
        if (!SameLetters(name, "content-length")) continue;
        std::size_t length = 0;
        const auto [at, bad] = std::from_chars(value.data(), value.data() + value.size(), length);
        if (haveLength || value.empty() || bad != std::errc{} ||
            at != value.data() + value.size() || length > kMaxBody) {
            return false;
        }
        length_ = length;
        haveLength = true;
    }
    return haveLength;
}

}  // namespace torvik::bands

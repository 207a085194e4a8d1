#pragma once
// One HTTP/1.x reply on a kept-alive connection, read as its bytes arrive: a status line, header
// lines, and a body of exactly Content-Length bytes. Strict and bounded on purpose: no chunked
// bodies, a head of at most kMaxHead bytes, a body of at most kMaxBody bytes; anything else is
// a broken reply and the connection is not to be trusted further.

#include <cstddef>
#include <string>
#include <string_view>

namespace torvik::bands {

class HttpReplyReader {
public:
    static constexpr std::size_t kMaxHead = 8 * 1024;
    static constexpr std::size_t kMaxBody = 64 * 1024;

    enum class State { kHead, kBody, kDone, kBroken };

    // Takes bytes up to the reply's end; answers how many were taken (the rest belongs to no
    // reply asked for).
    std::size_t Feed(std::string_view bytes);
    void Reset();

    State state() const { return state_; }
    int status() const { return status_; }
    // The whole body once kDone.
    const std::string& body() const { return body_; }

private:
    bool ReadHead();

    State state_ = State::kHead;
    std::string head_;
    std::string body_;
    std::size_t length_ = 0;
    int status_ = 0;
};

}  // namespace torvik::bands

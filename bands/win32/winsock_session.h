#pragma once
// Winsock started for as long as the object lives (WSAStartup and its WSACleanup, which the
// system counts, so every socket may hold one of its own).

#include <winsock2.h>

namespace torvik::win32 {

class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (started_) WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    bool started() const { return started_; }

private:
    bool started_ = false;
};

}  // namespace torvik::win32

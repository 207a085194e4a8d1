#pragma once
// The sending half of the frequency sources for the test sender and the bench, to 127.0.0.1
// only: datagrams to a port, and flrig's rig.set_vfo over XML-RPC. Every wait ends after 5 s.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

namespace torvik::bands::testing {

inline sockaddr_in LoopbackPort(std::uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return to;
}

// True when every datagram went out.
inline bool SendDatagrams(std::uint16_t port, const std::vector<std::string>& datagrams) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const sockaddr_in to = LoopbackPort(port);
    bool all = true;
    for (const std::string& datagram : datagrams) {
        all = sendto(fd, datagram.data(), datagram.size(), 0,
                     reinterpret_cast<const sockaddr*>(&to), sizeof to) >= 0 && all;
    }
    close(fd);
    return all;
}

// flrig's rig.set_vfo; true on a 200 reply.
inline bool FlrigSetVfo(std::uint16_t port, std::uint64_t hz) {
    const std::string body = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>rig.set_vfo"
                             "</methodName><params><param><value><double>" +
                             std::to_string(hz) + "</double></value></param></params></methodCall>";
    const std::string request = "POST /RPC2 HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                                "\r\nContent-Type: text/xml\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\n\r\n" + body;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    timeval limit{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    const sockaddr_in to = LoopbackPort(port);
    std::string reply;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 &&
        send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size())) {
        char buffer[512];
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got > 0) reply.assign(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return reply.starts_with("HTTP/1.1 200");
}

}  // namespace torvik::bands::testing

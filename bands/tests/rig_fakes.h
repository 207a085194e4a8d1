#pragma once
// A socket that records what the link asks of it, and a settable clock.

#include <string>
#include <vector>

#include "bands/push_listener.h"
#include "bands/rig_link.h"

namespace torvik::bands::testing {

class FakeSocket final : public RigSocket {
public:
    bool refuseOpen = false;
    bool failSend = false;
    bool open = false;
    int opens = 0;
    int closes = 0;
    std::string sent;  // everything sent on the current connection
    std::vector<Millis> openTimes;
    Millis* clock = nullptr;

    bool Open(const SourceAddress&) override {
        ++opens;
        if (clock != nullptr) openTimes.push_back(*clock);
        if (refuseOpen) return false;
        open = true;
        sent.clear();
        return true;
    }
    bool Send(std::string_view bytes) override {
        if (failSend || !open) return false;
        sent += bytes;
        return true;
    }
    void Close() override {
        if (open) ++closes;
        open = false;
    }
};

}  // namespace torvik::bands::testing

namespace torvik::bands::testing {

// A UDP socket that records what the listener asks of it.
class FakeDatagramSocket final : public DatagramSocket {
public:
    bool refuseListen = false;
    bool listening = false;
    int listens = 0;
    SourceAddress boundTo;

    bool Listen(const SourceAddress& address) override {
        ++listens;
        if (refuseListen) return false;
        listening = true;
        boundTo = address;
        return true;
    }
    void Close() override { listening = false; }
};

}  // namespace torvik::bands::testing

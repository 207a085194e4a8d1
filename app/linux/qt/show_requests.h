#pragma once
// The receiving side of the title walk's show request: a client message of
// x11::kShowRequestName to one of this program's windows calls `show`.
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QByteArray>

#include <functional>

namespace torvik::qt {

class ShowRequests final : public QAbstractNativeEventFilter {
public:
    // Makes the request's atom, so that a second start can name it.
    ShowRequests(xcb_connection_t* connection, std::function<void()> show);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    xcb_atom_t request_ = XCB_ATOM_NONE;
    std::function<void()> show_;
};

}  // namespace torvik::qt

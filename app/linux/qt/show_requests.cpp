#include "app/linux/qt/show_requests.h"

#include <utility>

#include "app/linux/xcb_reply.h"
#include "app/linux/xcb_title_walk.h"

namespace torvik::qt {

ShowRequests::ShowRequests(xcb_connection_t* connection, std::function<void()> show)
    : show_(std::move(show)) {
    request_ = x11::InternAtom(connection, x11::kShowRequestName, false);
}

bool ShowRequests::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || message == nullptr || request_ == XCB_ATOM_NONE) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
    if (reinterpret_cast<const xcb_client_message_event_t*>(event)->type != request_) return false;
    show_();
    return true;
}

}  // namespace torvik::qt

#include "app/linux/xcb_title_walk.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/linux/window_properties.h"
#include "app/linux/xcb_reply.h"

namespace torvik::x11 {
namespace {

// Titles and classes are short; longer values are cut, which a mark near the start survives.
constexpr std::uint32_t kMaxPropertyWords = 256;

// A format-8 property as text, empty when it is missing.
std::optional<std::string> TextProperty(xcb_connection_t* connection, xcb_window_t window,
                                        xcb_atom_t property, bool isClass) {
    if (property == XCB_ATOM_NONE) return std::nullopt;
    const auto reply =
        Await(connection, xcb_get_property_reply,
              xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                               kMaxPropertyWords));
    if (!reply) return std::nullopt;
    const PropertyReply data{
        reply->format, reply->type, reply->value_len,
        {static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get())),
         static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))}};
    const auto text = isClass ? ClassFromReply(data) : TitleFromReply(data);
    if (!text) return std::nullopt;
    return std::string(*text);
}

std::vector<xcb_window_t> Children(xcb_connection_t* connection, xcb_window_t window) {
    const auto tree = Await(connection, xcb_query_tree_reply, xcb_query_tree(connection, window));
    if (!tree) return {};
    const xcb_window_t* first = xcb_query_tree_children(tree.get());
    return {first, first + xcb_query_tree_children_length(tree.get())};
}

}  // namespace

std::optional<xcb_window_t> FindMainWindow(xcb_connection_t* connection, xcb_window_t root) {
    const xcb_atom_t netName = InternAtom(connection, "_NET_WM_NAME");
    const auto isMain = [&](xcb_window_t window) {
        const auto windowClass = TextProperty(connection, window, XCB_ATOM_WM_CLASS, true);
        if (windowClass != kProgramClass) return false;   // most windows: no title asked
        auto title = TextProperty(connection, window, netName, false);
        if (!title) title = TextProperty(connection, window, XCB_ATOM_WM_NAME, false);
        return IsMainWindow(windowClass, title);
    };
    for (const xcb_window_t top : Children(connection, root)) {
        if (isMain(top)) return top;
        for (const xcb_window_t framed : Children(connection, top)) {
            if (isMain(framed)) return framed;
        }
    }
    return std::nullopt;
}

bool RequestShow(xcb_connection_t* connection, xcb_window_t window) {
    const xcb_atom_t request = InternAtom(connection, kShowRequestName);
    if (request == XCB_ATOM_NONE) return false;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = request;
    // An empty event mask sends it to the client that made the window.
    const xcb_void_cookie_t cookie =
        xcb_send_event_checked(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char*>(&event));
    Reply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
    return error == nullptr;
}

}  // namespace torvik::x11

#include "app/linux/xcb_focus.h"

#include <xcb/res.h>

#include "app/linux/proc_exe.h"
#include "app/linux/window_properties.h"
#include "app/linux/xcb_reply.h"

namespace torvik {
namespace {

// A focus inside a program's window is often a child of the window that carries _NET_WM_PID.
constexpr int kMaxParentSteps = 16;

}  // namespace

using x11::Await;

XcbFocusQuery::XcbFocusQuery(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection), root_(root) {
    activeWindow_ = Atom("_NET_ACTIVE_WINDOW");
    supportingCheck_ = Atom("_NET_SUPPORTING_WM_CHECK");
    wmPid_ = Atom("_NET_WM_PID");
    // A request of an extension the server lacks would close the connection: ask first.
    // Client ids came with version 1.2.
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection_, &xcb_res_id);
    if (extension != nullptr && extension->present) {
        const auto version = Await(connection_, xcb_res_query_version_reply,
                                   xcb_res_query_version(connection_, 1, 2));
        hasClientIds_ = version && (version->server_major > 1 ||
                                    (version->server_major == 1 && version->server_minor >= 2));
    }
}

xcb_atom_t XcbFocusQuery::Atom(const char* name) {
    return x11::InternAtom(connection_, name);
}

std::optional<std::uint32_t> XcbFocusQuery::WindowProperty(xcb_window_t window, xcb_atom_t property) {
    if (property == XCB_ATOM_NONE) return std::nullopt;
    const auto cookie = xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1);
    const auto reply = Await(connection_, xcb_get_property_reply, cookie);
    if (!reply) return std::nullopt;
    const x11::PropertyReply data{
        reply->format, reply->type, reply->value_len,
        {static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get())),
         static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))}};
    return property == wmPid_ ? x11::ProcessIdFromReply(data) : x11::WindowFromReply(data);
}

std::optional<std::uint32_t> XcbFocusQuery::FocusedProcessId() {
    const auto checkOnRoot = WindowProperty(root_, supportingCheck_);
    const auto checkOnChild = checkOnRoot ? WindowProperty(*checkOnRoot, supportingCheck_) : std::nullopt;
    const auto active = WindowProperty(root_, activeWindow_);
    const auto focus = Await(connection_, xcb_get_input_focus_reply, xcb_get_input_focus(connection_));
    const auto window = x11::ChooseFocusedWindow(checkOnRoot, checkOnChild, active,
                                                 focus ? focus->focus : x11::kNoWindow);
    if (!window) return std::nullopt;
    return ProcessOfWindow(*window);
}

std::optional<std::uint32_t> XcbFocusQuery::ProcessOfWindow(xcb_window_t window) {
    for (int step = 0; step < kMaxParentSteps && window != root_ && window != XCB_WINDOW_NONE; ++step) {
        if (const auto pid = WindowProperty(window, wmPid_)) return pid;
        if (const auto pid = ProcessFromResourceExtension(window)) return pid;
        const auto tree = Await(connection_, xcb_query_tree_reply, xcb_query_tree(connection_, window));
        if (!tree) return std::nullopt;
        window = tree->parent;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> XcbFocusQuery::ProcessFromResourceExtension(xcb_window_t window) {
    if (!hasClientIds_) return std::nullopt;
    const xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    const auto reply = Await(connection_, xcb_res_query_client_ids_reply,
                             xcb_res_query_client_ids(connection_, 1, &spec));
    if (!reply) return std::nullopt;
    for (auto ids = xcb_res_query_client_ids_ids_iterator(reply.get()); ids.rem > 0;
         xcb_res_client_id_value_next(&ids)) {
        if ((ids.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) != 0 &&
            xcb_res_client_id_value_value_length(ids.data) >= 1) {
            const std::uint32_t pid = *xcb_res_client_id_value_value(ids.data);
            if (pid != 0) return pid;
        }
    }
    return std::nullopt;
}

std::optional<std::string> XcbFocusQuery::ExecutableName(std::uint32_t processId) {
    return ExecutableNameOfProcess(processId);
}

}  // namespace torvik

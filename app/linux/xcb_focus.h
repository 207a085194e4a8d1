#pragma once
// FocusQuery over an X server: the focused window by the window manager's word or the input
// focus, its process by _NET_WM_PID or the X-Resource extension, the executable from /proc.
// A thin adapter: every decision on the replies is in window_properties and proc_exe.

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/hotkey_dispatch.h"

namespace torvik {

class XcbFocusQuery : public FocusQuery {
public:
    // The connection stays the caller's and must outlive this object.
    XcbFocusQuery(xcb_connection_t* connection, xcb_window_t root);

    std::optional<std::uint32_t> FocusedProcessId() override;
    std::optional<std::string> ExecutableName(std::uint32_t processId) override;

private:
    std::optional<std::uint32_t> WindowProperty(xcb_window_t window, xcb_atom_t property);
    std::optional<std::uint32_t> ProcessOfWindow(xcb_window_t window);
    std::optional<std::uint32_t> ProcessFromResourceExtension(xcb_window_t window);
    xcb_atom_t Atom(const char* name);

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t activeWindow_ = XCB_ATOM_NONE;
    xcb_atom_t supportingCheck_ = XCB_ATOM_NONE;
    xcb_atom_t wmPid_ = XCB_ATOM_NONE;
    bool hasClientIds_ = false;  // the X-Resource extension answers QueryClientIds
};

}  // namespace torvik

#pragma once
// The single-instance fallback where no session bus can be reached: a second start walks the
// top-level windows for a running copy's main window and asks that copy to show it.
#include <xcb/xcb.h>

#include <optional>

namespace torvik::x11 {

// The client message type by which a copy is asked to show its main window.
inline constexpr const char* kShowRequestName = "_TORVIK_SHOW_WINDOW";

// The main window (IsMainWindow) among the root's children, or one level below them where a
// window manager framed it; hidden windows count.
std::optional<xcb_window_t> FindMainWindow(xcb_connection_t* connection, xcb_window_t root);

// Sends the show request to the window's own program; false when none could be sent (no copy
// ever made the request's atom).
bool RequestShow(xcb_connection_t* connection, xcb_window_t window);

}  // namespace torvik::x11

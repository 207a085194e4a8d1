#pragma once
// Owning xcb replies, waited for with any error dropped, and atoms by name.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace torvik::x11 {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// Waits for a reply; an error (a window gone meanwhile) is dropped here rather than left to
// arrive in the event loop.
template <typename T, typename Cookie>
Reply<T> Await(xcb_connection_t* connection,
               T* (*replyOf)(xcb_connection_t*, Cookie, xcb_generic_error_t**), Cookie cookie) {
    xcb_generic_error_t* error = nullptr;
    Reply<T> reply(replyOf(connection, cookie, &error));
    std::free(error);
    return reply;
}

// The atom of a name, made when `onlyIfExists` is false; XCB_ATOM_NONE when the name has none.
inline xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name,
                             bool onlyIfExists = true) {
    const auto cookie = xcb_intern_atom(connection, onlyIfExists ? 1 : 0,
                                        static_cast<std::uint16_t>(std::strlen(name)), name);
    const auto reply = Await(connection, xcb_intern_atom_reply, cookie);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace torvik::x11

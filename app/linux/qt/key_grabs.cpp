#include "app/linux/qt/key_grabs.h"

#include <QByteArray>

#include <algorithm>
#include "app/linux/xcb_reply.h"
#include "core/linux/x11_keys.h"

namespace torvik::qt {

using x11::Reply;

XcbKeyGrabs::XcbKeyGrabs(xcb_connection_t* connection, xcb_window_t root,
                         std::function<void(std::int32_t)> pressed)
    : connection_(connection), root_(root), pressed_(std::move(pressed)),
      symbols_(xcb_key_symbols_alloc(connection)) {
    ReadNumLock();
}

XcbKeyGrabs::~XcbKeyGrabs() {
    for (Grab& grab : grabs_) {
        Release(grab);
    }
    xcb_flush(connection_);
}

void XcbKeyGrabs::ReadNumLock() {
    numLockMask_ = 0;
    if (!symbols_) {
        return;
    }
    Reply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(connection_, xcb_get_modifier_mapping(connection_),
                                       nullptr));
    if (!reply) {
        return;
    }
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int length = xcb_get_modifier_mapping_keycodes_length(reply.get());
    numLockMask_ = x11::FindNumLockMask(
        std::span<const std::uint8_t>(codes, static_cast<std::size_t>(std::max(length, 0))),
        reply->keycodes_per_modifier, [this](std::uint8_t keycode, int column) {
            return static_cast<std::uint32_t>(
                xcb_key_symbols_get_keysym(symbols_.get(), keycode, column));
        });
}

bool XcbKeyGrabs::Take(Grab& grab) {
    grab.keycodes.clear();
    grab.held = false;
    const auto keysym = x11::KeysymForKey(grab.key);
    if (!keysym || !symbols_) {
        return false;
    }
    Reply<xcb_keycode_t> codes(
        xcb_key_symbols_get_keycode(symbols_.get(), *keysym));
    for (const xcb_keycode_t* code = codes.get(); code != nullptr && *code != XCB_NO_SYMBOL;
         ++code) {
        grab.keycodes.push_back(*code);
    }
    if (grab.keycodes.empty()) {
        return false;
    }
    grab.combination = x11::MaskFor(grab.modifiers);
    std::vector<std::pair<xcb_keycode_t, std::uint16_t>> taken;
    bool refused = false;
    for (const xcb_keycode_t code : grab.keycodes) {
        for (const std::uint16_t mask : x11::GrabVariants(grab.combination, numLockMask_)) {
            Reply<xcb_generic_error_t> error(xcb_request_check(
                connection_, xcb_grab_key_checked(connection_, 1, root_, mask, code,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
            if (error) {
                // BadAccess: another client holds it. Any other error refuses it as well.
                refused = true;
            } else {
                taken.emplace_back(code, mask);
            }
        }
    }
    if (refused) {
        // Half a combination would fire with some lock states only: give back what we got.
        for (const auto& [code, mask] : taken) {
            xcb_ungrab_key(connection_, code, root_, mask);
        }
        xcb_flush(connection_);
        return false;
    }
    grab.held = true;
    return true;
}

void XcbKeyGrabs::Release(Grab& grab) {
    if (!grab.held) {
        return;
    }
    for (const xcb_keycode_t code : grab.keycodes) {
        for (const std::uint16_t mask : x11::GrabVariants(grab.combination, numLockMask_)) {
            xcb_ungrab_key(connection_, code, root_, mask);
        }
    }
    grab.held = false;
}

bool XcbKeyGrabs::RegisterHotkey(std::int32_t id, Modifiers modifiers, Key key) {
    UnregisterHotkey(id);
    Grab grab;
    grab.id = id;
    grab.modifiers = modifiers;
    grab.key = key;
    const bool held = Take(grab);
    grabs_.push_back(std::move(grab));
    return held;
}

void XcbKeyGrabs::UnregisterHotkey(std::int32_t id) {
    const auto found = std::find_if(grabs_.begin(), grabs_.end(),
                                    [id](const Grab& grab) { return grab.id == id; });
    if (found != grabs_.end()) {
        Release(*found);
        xcb_flush(connection_);
        grabs_.erase(found);
    }
}

bool XcbKeyGrabs::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || message == nullptr) {
        return false;
    }
    auto* event = static_cast<xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7F) {
    case XCB_KEY_PRESS: {
        auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
        if (press->event != root_) {
            return false;
        }
        const std::uint16_t combination = x11::CombinationOfState(press->state, numLockMask_);
        for (const Grab& grab : grabs_) {
            if (grab.held && grab.combination == combination &&
                std::find(grab.keycodes.begin(), grab.keycodes.end(), press->detail) !=
                    grab.keycodes.end()) {
                pressed_(grab.id);
                return true;
            }
        }
        return false;
    }
    case XCB_MAPPING_NOTIFY: {
        auto* notify = reinterpret_cast<xcb_mapping_notify_event_t*>(event);
        if (notify->request == XCB_MAPPING_POINTER || !symbols_) {
            return false;
        }
        // Keycodes and the NumLock modifier may have moved: release with the old ones, grab
        // with the new.
        for (Grab& grab : grabs_) {
            Release(grab);
        }
        xcb_refresh_keyboard_mapping(symbols_.get(), notify);
        ReadNumLock();
        for (Grab& grab : grabs_) {
            Take(grab);
        }
        xcb_flush(connection_);
        return false;   // Qt keeps its own keymap current too
    }
    default:
        return false;
    }
}

}  // namespace torvik::qt

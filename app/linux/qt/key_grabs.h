#pragma once
// The hotkey registrar of the X desktop: each combination grabbed on the root window with its
// NumLock and CapsLock variants, presses taken from Qt's native event stream. A combination
// another client holds (BadAccess) is left ungrabbed: it stays in the table and never fires.
// After a keyboard mapping change every combination is grabbed anew.
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/hotkey_table.h"

namespace torvik::qt {

class XcbKeyGrabs final : public HotkeyRegistrar, public QAbstractNativeEventFilter {
public:
    // The connection stays the caller's (Qt's) and must outlive this object. pressed gets the
    // id of a grabbed combination when it is pressed.
    XcbKeyGrabs(xcb_connection_t* connection, xcb_window_t root,
                std::function<void(std::int32_t)> pressed);
    ~XcbKeyGrabs() override;
    XcbKeyGrabs(const XcbKeyGrabs&) = delete;
    XcbKeyGrabs& operator=(const XcbKeyGrabs&) = delete;

    bool RegisterHotkey(std::int32_t id, Modifiers modifiers, Key key) override;
    void UnregisterHotkey(std::int32_t id) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab {
        std::int32_t id = 0;
        Modifiers modifiers;
        Key key;
        std::uint16_t combination = 0;
        std::vector<xcb_keycode_t> keycodes;
        bool held = false;   // every variant of every keycode is ours
    };
    bool Take(Grab& grab);
    void Release(Grab& grab);
    void ReadNumLock();

    struct FreeSymbols {
        void operator()(xcb_key_symbols_t* symbols) const { xcb_key_symbols_free(symbols); }
    };
    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::function<void(std::int32_t)> pressed_;
    std::unique_ptr<xcb_key_symbols_t, FreeSymbols> symbols_;
    std::uint16_t numLockMask_ = 0;
    std::vector<Grab> grabs_;
};

}  // namespace torvik::qt

#pragma once
// How presses on the tray icon become the menu or the window. A left press waits out the
// system's double-click time before the menu opens, so that a double click can show the window
// instead and its second press never lands in an open menu; a right press opens the menu at
// once. The platform starts and stops the wait as told and reports its end.

#include <cstdint>

namespace torvik {

enum class TrayMouse { kLeftDown, kLeftDoubleClick, kRightDown, kOther };

enum class TrayAction {
    kNone,
    kStartWait,    // a first left press: start the double-click wait, nothing shown yet
    kShowMenu,     // stop any wait, then show the menu
    kShowWindow,   // stop any wait, then bring the main window forward
};

class TrayClickRules {
public:
    explicit TrayClickRules(std::uint32_t doubleClickMilliseconds)
        : doubleClickTime_(doubleClickMilliseconds) {}

    // A mouse event over the icon at the message time now (milliseconds, wrapping).
    TrayAction OnMouse(TrayMouse event, std::uint32_t now);
    // The wait started by kStartWait is over.
    TrayAction OnWaitOver();

    bool Waiting() const { return waiting_; }

private:
    bool Within(std::uint32_t since, std::uint32_t now) const {
        return static_cast<std::uint32_t>(now - since) <= doubleClickTime_;
    }

    std::uint32_t doubleClickTime_;
    bool waiting_ = false;
    std::uint32_t firstPress_ = 0;
    // When a pair of presses showed the window; a double-click event of the same pair that
    // follows is the same double click, not a new one.
    bool pairShown_ = false;
    std::uint32_t pairShownAt_ = 0;
};

}  // namespace torvik

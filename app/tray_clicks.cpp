#include "app/tray_clicks.h"

namespace torvik {

TrayAction TrayClickRules::OnMouse(TrayMouse event, std::uint32_t now) {
    switch (event) {
    case TrayMouse::kLeftDown:
        if (waiting_) {
            waiting_ = false;
            if (Within(firstPress_, now)) {
                // Some shells report the second press of a double click as a plain press.
                pairShown_ = true;
                pairShownAt_ = now;
                return TrayAction::kShowWindow;
            }
            // The wait is over but its end has not been reported yet: the first press gets
            // its menu now, and this press goes into that menu like any press on the icon.
            return TrayAction::kShowMenu;
        }
        waiting_ = true;
        firstPress_ = now;
        pairShown_ = false;
        return TrayAction::kStartWait;
    case TrayMouse::kLeftDoubleClick:
        waiting_ = false;
        if (pairShown_ && Within(pairShownAt_, now)) {
            pairShown_ = false;
            return TrayAction::kNone;
        }
        pairShown_ = false;
        return TrayAction::kShowWindow;
    case TrayMouse::kRightDown:
        waiting_ = false;
        pairShown_ = false;
        return TrayAction::kShowMenu;
    case TrayMouse::kOther:
        break;
    }
    return TrayAction::kNone;
}

TrayAction TrayClickRules::OnWaitOver() {
    if (!waiting_) {
        return TrayAction::kNone;
    }
    waiting_ = false;
    return TrayAction::kShowMenu;
}

}  // namespace torvik

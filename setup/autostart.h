#pragma once
// The per-user autostart entry: whether the program starts hidden in the tray when the user
// logs on. The setup dialog asks when it opens and changes it on OK; what the entry holds and
// where it lives is the platform's (the Run key on Windows).

namespace torvik {

class AutostartStore {
public:
    virtual ~AutostartStore() = default;
    // Whether an entry of ours is registered (whatever program it names).
    virtual bool Enabled() = 0;
    // Registers this program to start hidden; false when nothing could be registered.
    virtual bool Enable() = 0;
    // Removes the entry; false when it could not be removed (or was not there).
    virtual bool Disable() = 0;
};

}  // namespace torvik

#pragma once
// Global hotkeys and the focused program as Windows provides them.

#include <windows.h>

#include "core/hotkey_dispatch.h"
#include "core/hotkey_table.h"

namespace torvik::win32 {

// Registers the hotkeys with one window, which receives their WM_HOTKEY messages.
class WindowHotkeyRegistrar final : public HotkeyRegistrar {
public:
    void SetWindow(HWND hwnd) { hwnd_ = hwnd; }
    bool RegisterHotkey(std::int32_t id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void UnregisterHotkey(std::int32_t id) override;

private:
    HWND hwnd_ = nullptr;
};

// The focus as the user-interface thread sees it while its window is the foreground window, else
// the foreground window; the executable name from a fresh process snapshot on every call.
class SystemFocusQuery final : public FocusQuery {
public:
    std::optional<std::uint32_t> FocusedProcessId() override;
    std::optional<std::string> ExecutableName(std::uint32_t processId) override;
};

}  // namespace torvik::win32

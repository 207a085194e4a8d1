#pragma once
// A window and a hotkey registrar that do nothing, for benchmarks that measure the core alone.

#include <string>
#include <vector>

#include "app/switch_controller.h"

namespace torvik::bench {

class NoView final : public SwitchView {
public:
    void ShowControl(int, bool) override {}
    void EnableControl(int, bool) override {}
    void SetChecked(int, int) override {}
    void LayoutAntennaRow() override {}
    void Show(bool) override {}
    void Hide() override {}
    void EndProgram() override {}
    void StopBandFollowing() override {}
    void ShowError(const char*, const char*) override {}
    void ShowTrayMenu(const std::vector<TrayMenuItem>&) override {}
    void WaitForSecondPress(bool) override {}
    SetupEnd RunSetup(const DeviceNode&, const ConfigBlock&) override { return SetupEnd::kCancel; }
    void SettingsLoaded() override {}
    void RemoveTrayIcon() override {}
    void EndDeviceNotices() override {}
    void ShowLinkStatus(const char*) override {}
    void SetTrayTip(const std::string&) override {}
    void StartRecheck(std::uint32_t) override {}
    void StopRecheck() override {}
    void ShowLockLine(const std::string&) override {}
};

class NoRegistrar final : public HotkeyRegistrar {
public:
    bool RegisterHotkey(std::int32_t, Modifiers, Key) override { return true; }
    void UnregisterHotkey(std::int32_t) override {}
};

}  // namespace torvik::bench

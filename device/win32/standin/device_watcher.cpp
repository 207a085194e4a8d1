#include "device/win32/standin/device_watcher.h"

#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

#include "device/sim_devices_file.h"

namespace torvik::standin {
using sim::ParseDevices;
using sim::ReadDevicesText;
using sim::SameDevice;
namespace {

// {219D0508-57A8-4FF5-97A1-BD86587C6C7E}: the interface class the driver announces devices in.
constexpr GUID kDriverInterfaceClass = {
    0x219D0508, 0x57A8, 0x4FF5, {0x97, 0xA1, 0xBD, 0x86, 0x58, 0x7C, 0x6C, 0x7E}};
constexpr DWORD kPollMilliseconds = 100;
constexpr UINT kSendTimeoutMilliseconds = 5000;

struct WatchState {
    HMODULE self = nullptr;   // the thread's reference on this library
    std::string path;
    std::string lastText;
    std::vector<SimDevice> known;
};

std::atomic<bool> started{false};
HANDLE stopEvent = nullptr;   // manual reset; lives until process exit

struct Notice {
    WPARAM event;
    std::vector<unsigned char> header;   // DEV_BROADCAST_DEVICEINTERFACE_A with its name
};

Notice MakeNotice(WPARAM event, const SimDevice& device) {
    // A device path shaped like the system's, naming the serial number.
    const std::string name = "\\\\?\\USB#VID_0403&PID_6001#" + device.serial +
                             "#{219d0508-57a8-4ff5-97a1-bd86587c6c7e}";
    const std::size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + name.size() + 1;
    Notice notice{event, std::vector<unsigned char>(std::max(size, sizeof(DEV_BROADCAST_DEVICEINTERFACE_A)))};
    DEV_BROADCAST_DEVICEINTERFACE_A header{};
    header.dbcc_size = static_cast<DWORD>(size);
    header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    header.dbcc_classguid = kDriverInterfaceClass;
    std::memcpy(notice.header.data(), &header, offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name));
    std::memcpy(notice.header.data() + offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name),
                name.c_str(), name.size() + 1);
    return notice;
}

bool Contains(const std::vector<SimDevice>& list, const SimDevice& device) {
    return std::any_of(list.begin(), list.end(),
                       [&](const SimDevice& other) { return SameDevice(other, device); });
}

BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM param) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    }
    return TRUE;
}

void Deliver(const Notice& notice) {
    std::vector<HWND> windows;
    EnumWindows(&CollectOwnWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_DEVICECHANGE, notice.event,
                            reinterpret_cast<LPARAM>(notice.header.data()),
                            SMTO_NORMAL | SMTO_ABORTIFHUNG, kSendTimeoutMilliseconds, &answer);
    }
}

void Poll(WatchState& state) {
    std::string text = ReadDevicesText(state.path);
    if (text == state.lastText) {
        return;
    }
    state.lastText = std::move(text);
    std::vector<SimDevice> now = ParseDevices(state.lastText);
    std::vector<Notice> notices;
    for (const SimDevice& device : state.known) {
        if (!Contains(now, device)) {
            notices.push_back(MakeNotice(DBT_DEVICEREMOVECOMPLETE, device));
        }
    }
    for (const SimDevice& device : now) {
        if (!Contains(state.known, device)) {
            notices.push_back(MakeNotice(DBT_DEVICEARRIVAL, device));
        }
    }
    state.known = std::move(now);
    for (const Notice& notice : notices) {
        Deliver(notice);
    }
}

HMODULE Watch(std::unique_ptr<WatchState> state) {
    while (WaitForSingleObject(stopEvent, kPollMilliseconds) == WAIT_TIMEOUT) {
        Poll(*state);
    }
    return state->self;
}

// Runs the watch, then drops the thread's reference on this library and ends the thread
// without returning into it.
DWORD WINAPI ThreadEntry(LPVOID param) {
    HMODULE self = Watch(std::unique_ptr<WatchState>(static_cast<WatchState*>(param)));
    FreeLibraryAndExitThread(self, 0);
}

}  // namespace

void StartWatcher(const std::string& devicesPath, const std::string& devicesText) {
    if (devicesPath.empty() || started.exchange(true)) {
        return;
    }
    stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (stopEvent == nullptr) {
        return;
    }
    auto state = std::make_unique<WatchState>();
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&ThreadEntry), &state->self)) {
        return;
    }
    state->path = devicesPath;
    state->lastText = devicesText;
    state->known = ParseDevices(devicesText);
    HANDLE thread = CreateThread(nullptr, 0, &ThreadEntry, state.get(), 0, nullptr);
    if (thread == nullptr) {
        FreeLibrary(state->self);
        return;
    }
    static_cast<void>(state.release());   // the thread owns it now
    CloseHandle(thread);
}

void StopWatcher() {
    if (stopEvent != nullptr) {
        SetEvent(stopEvent);
    }
}

}  // namespace torvik::standin

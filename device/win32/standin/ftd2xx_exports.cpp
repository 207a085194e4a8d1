// The stand-in driver library FTD2XX.dll: the seven driver functions the program uses, with the
// driver's signatures, backed by the simulated box's driver (device/sim_driver.h): attached
// devices from the file named by TORVIK_SIM_DEVICES, every call logged to the file named by
// TORVIK_SIM_LOG. Changes of the devices file reach the program's
// windows as device notices (device_watcher.h). For tests and demonstrations only.

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "device/sim_driver.h"
#include "device/win32/standin/device_watcher.h"

namespace {

using torvik::FtHandle;
using torvik::FtStatus;

std::string Environment(const char* name) {
    char value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 || length >= sizeof value) {
        return {};   // unset, or too long to be a path we could open
    }
    return std::string(value, length);
}

// The simulated driver of this process, its paths taken from the environment once. The
// watcher thread shares nothing with it.
struct Standin {
    std::mutex mutex;
    torvik::sim::LoggedSimDriver driver{Environment("TORVIK_SIM_DEVICES"),
                                        Environment("TORVIK_SIM_LOG")};
    // The watcher starts on first use, with the devices the driver has just read.
    void StartWatching() {
        torvik::standin::StartWatcher(driver.DevicesPath(), driver.DevicesText());
    }
};

Standin& State() {
    static Standin state;
    return state;
}

// One driver call under the lock.
template <class Call>
FtStatus Locked(Call call) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    return call(s);
}

}  // namespace

extern "C" {

FtStatus WINAPI FT_CreateDeviceInfoList(DWORD* count) {
    return Locked([&](Standin& s) {
        std::uint32_t listed = 0;
        const FtStatus status = s.driver.CreateDeviceInfoList(count != nullptr ? &listed : nullptr);
        s.StartWatching();
        if (count != nullptr) {
            *count = listed;
        }
        return status;
    });
}

// As the vendor's library does: every node of the list that FT_CreateDeviceInfoList made is
// written, whatever *count says on entry; the caller must have room for them all.
FtStatus WINAPI FT_GetDeviceInfoList(torvik::DeviceNode* nodes, DWORD* count) {
    return Locked([&](Standin& s) {
        if (count == nullptr) {
            return torvik::kFtInvalidParameter;
        }
        std::uint32_t listed = 0;
        const FtStatus status = s.driver.FillDeviceInfoList(nodes, &listed);
        *count = listed;
        return status;
    });
}

FtStatus WINAPI FT_OpenEx(void* argument, DWORD flags, FtHandle* handle) {
    const auto location = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(argument));
    return Locked([&](Standin& s) {
        const FtStatus status = s.driver.OpenEx(location, static_cast<std::uint32_t>(flags), handle);
        s.StartWatching();
        return status;
    });
}

FtStatus WINAPI FT_SetTimeouts(FtHandle handle, ULONG readMs, ULONG writeMs) {
    return Locked([&](Standin& s) { return s.driver.SetTimeouts(handle, readMs, writeMs); });
}

FtStatus WINAPI FT_SetBitMode(FtHandle handle, UCHAR mask, UCHAR mode) {
    return Locked([&](Standin& s) { return s.driver.SetBitMode(handle, mask, mode); });
}

FtStatus WINAPI FT_Write(FtHandle handle, void* buffer, DWORD length, DWORD* written) {
    return Locked([&](Standin& s) {
        std::uint32_t done = 0;
        const FtStatus status = s.driver.Write(handle, buffer, static_cast<std::uint32_t>(length),
                                               written != nullptr ? &done : nullptr);
        if (written != nullptr) {
            *written = done;
        }
        return status;
    });
}

FtStatus WINAPI FT_Close(FtHandle handle) {
    return Locked([&](Standin& s) { return s.driver.Close(handle); });
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) {
        torvik::standin::StopWatcher();
    }
    return TRUE;
}

}  // extern "C"

// The stand-in driver library FTD2XX.dll: the seven driver functions the program uses, with the
// driver's signatures, backed by a SimulatedBox whose attached devices come from the file named
// by TORVIK_SIM_DEVICES (re-read at every list and open call). Every call is logged to the file
// named by TORVIK_SIM_LOG (call_log.h), and changes of the devices file reach the program's
// windows as device notices (device_watcher.h). For tests and demonstrations only.

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "device/simulated_box.h"
#include "device/win32/standin/call_log.h"
#include "device/win32/standin/device_watcher.h"
#include "device/win32/standin/devices_file.h"

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

// The simulated driver of this process. The watcher thread shares nothing with it.
struct Standin {
    std::mutex mutex;
    torvik::SimulatedBox box;

    // Takes the attached devices from the file, and starts the watcher on first use.
    void ReadDevices() {
        const std::string path = Environment("TORVIK_SIM_DEVICES");
        const std::string text = torvik::standin::ReadDevicesText(path);
        box.devices = torvik::standin::ParseDevices(text);
        torvik::standin::StartWatcher(path, text);
    }
    void Log(const std::string& line) {
        torvik::standin::AppendLine(Environment("TORVIK_SIM_LOG"), line);
    }
};

Standin& State() {
    static Standin state;
    return state;
}

// One call on an open handle: made under the lock, then logged with its status.
template <class Call, class LogLine>
FtStatus LoggedCall(Call call, LogLine logLine) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    const FtStatus status = call(s.box);
    s.Log(logLine(status));
    return status;
}

}  // namespace

extern "C" {

FtStatus WINAPI FT_CreateDeviceInfoList(DWORD* count) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    s.ReadDevices();
    std::uint32_t listed = 0;
    const FtStatus status = s.box.CreateDeviceInfoList(&listed);
    if (count != nullptr) {
        *count = listed;
    }
    s.Log(torvik::standin::ListLine(listed));
    return count == nullptr ? torvik::kFtInvalidParameter : status;
}

// As the vendor's library does: every node of the list that FT_CreateDeviceInfoList made is
// written, whatever *count says on entry; the caller must have room for them all.
FtStatus WINAPI FT_GetDeviceInfoList(torvik::DeviceNode* nodes, DWORD* count) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    if (count == nullptr) {
        return torvik::kFtInvalidParameter;
    }
    std::uint32_t listed = 0;
    const FtStatus status = s.box.FillDeviceInfoList(nodes, &listed);
    *count = listed;
    return status;
}

FtStatus WINAPI FT_OpenEx(void* argument, DWORD flags, FtHandle* handle) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    s.ReadDevices();
    const auto location = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(argument));
    const FtStatus status = s.box.OpenEx(location, static_cast<std::uint32_t>(flags), handle);
    s.Log(torvik::standin::OpenLine(flags == torvik::kFtOpenByLocation ? location : 0, status));
    return status;
}

FtStatus WINAPI FT_SetTimeouts(FtHandle handle, ULONG readMs, ULONG writeMs) {
    return LoggedCall(
        [&](torvik::SimulatedBox& box) { return box.SetTimeouts(handle, readMs, writeMs); },
        [&](FtStatus status) { return torvik::standin::TimeoutsLine(readMs, writeMs, status); });
}

FtStatus WINAPI FT_SetBitMode(FtHandle handle, UCHAR mask, UCHAR mode) {
    return LoggedCall(
        [&](torvik::SimulatedBox& box) { return box.SetBitMode(handle, mask, mode); },
        [&](FtStatus status) { return torvik::standin::BitModeLine(mask, mode, status); });
}

FtStatus WINAPI FT_Write(FtHandle handle, void* buffer, DWORD length, DWORD* written) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    std::uint32_t done = 0;
    const FtStatus status = s.box.Write(handle, buffer, static_cast<std::uint32_t>(length),
                                        written != nullptr ? &done : nullptr);
    if (written != nullptr) {
        *written = done;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (bytes == nullptr || length == 0) {
        s.Log(torvik::standin::WriteLine(nullptr, status));
    }
    for (DWORD i = 0; bytes != nullptr && i < length && i < 4096; ++i) {
        s.Log(torvik::standin::WriteLine(&bytes[i], status, i < done));
    }
    return status;
}

FtStatus WINAPI FT_Close(FtHandle handle) {
    return LoggedCall([&](torvik::SimulatedBox& box) { return box.Close(handle); },
                      &torvik::standin::CloseLine);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) {
        torvik::standin::StopWatcher();
    }
    return TRUE;
}

}  // extern "C"

// The stand-in driver library FTD2XX.dll: the seven driver functions the program uses, with the
// driver's signatures and list layout, translated onto a SimulatedBox whose attached devices
// come from the file named by TORVIK_SIM_DEVICES (re-read at every list and open call). Every call is logged to the file
// named by TORVIK_SIM_LOG (call_log.h), and changes of the devices file reach the program's
// windows as device notices (device_watcher.h). For tests and demonstrations only.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "device/simulated_box.h"
#include "device/win32/d2xx_types.h"
#include "device/win32/standin/call_log.h"
#include "device/win32/standin/device_watcher.h"
#include "device/win32/standin/devices_file.h"

namespace {

using torvik::FtHandle;
using torvik::FtStatus;
using torvik::LinkHandle;
using torvik::StatusOf;

// What a listed node reports besides what the devices file gives.
constexpr std::uint32_t kDeviceType232R = 5;
constexpr std::uint32_t kVendorProductId = 0x04036001;
// More bytes of one FT_Write than this are not logged one by one.
constexpr DWORD kMaxLoggedBytes = 4096;

LinkHandle LinkHandleOf(FtHandle handle) {
    return reinterpret_cast<LinkHandle>(handle);
}

void CopyText(char* field, std::size_t fieldSize, const std::string& text) {
    std::memset(field, 0, fieldSize);
    std::memcpy(field, text.data(), std::min(text.size(), fieldSize - 1));
}

// A listed device as the driver's node shows it: an open device has the opened flag and no
// location, one held elsewhere nothing else.
torvik::FtDeviceNode NodeOf(const torvik::ListedDevice& device) {
    torvik::FtDeviceNode node{};
    node.Type = kDeviceType232R;
    node.ID = kVendorProductId;
    node.Flags = device.heldElsewhere || device.openedHere ? torvik::kFtFlagOpened : 0;
    node.LocId = torvik::LocationOfIdentity(device.identity).value_or(0);
    CopyText(node.SerialNumber, sizeof node.SerialNumber, device.serial);
    CopyText(node.Description, sizeof node.Description, device.description);
    node.ftHandle = nullptr;
    return node;
}

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
    // The list made by the latest FT_CreateDeviceInfoList, which FT_GetDeviceInfoList reports.
    std::vector<torvik::ListedDevice> listed;
    torvik::LinkResult listResult = torvik::LinkResult::Ok;

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
    s.listResult = s.box.List(s.listed);
    const auto listedCount = static_cast<std::uint32_t>(s.listed.size());
    if (count != nullptr) {
        *count = listedCount;
    }
    s.Log(torvik::standin::ListLine(listedCount));
    return count == nullptr ? torvik::kFtInvalidParameter : StatusOf(s.listResult);
}

// As the vendor's library does: every node of the list that FT_CreateDeviceInfoList made is
// written, whatever *count says on entry; the caller must have room for them all.
FtStatus WINAPI FT_GetDeviceInfoList(torvik::FtDeviceNode* nodes, DWORD* count) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    if (count == nullptr) {
        return torvik::kFtInvalidParameter;
    }
    *count = 0;
    if (s.listResult != torvik::LinkResult::Ok) {
        return StatusOf(s.listResult);
    }
    if (nodes == nullptr) {
        return torvik::kFtInvalidParameter;
    }
    for (std::size_t i = 0; i < s.listed.size(); ++i) {
        nodes[i] = NodeOf(s.listed[i]);
    }
    *count = static_cast<DWORD>(s.listed.size());
    return torvik::kFtOk;
}

FtStatus WINAPI FT_OpenEx(void* argument, DWORD flags, FtHandle* handle) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    s.ReadDevices();
    const auto location = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(argument));
    FtStatus status = torvik::kFtInvalidParameter;   // only opens by location are known here
    if (handle != nullptr && flags == torvik::kFtOpenByLocation) {
        LinkHandle opened = torvik::kNoHandle;
        status = StatusOf(s.box.Open(torvik::IdentityOfLocation(location), opened));
        *handle = reinterpret_cast<FtHandle>(opened);
    }
    s.Log(torvik::standin::OpenLine(flags == torvik::kFtOpenByLocation ? location : 0, status));
    return status;
}

FtStatus WINAPI FT_SetTimeouts(FtHandle handle, ULONG readMs, ULONG writeMs) {
    return LoggedCall(
        [&](torvik::SimulatedBox& box) {
            return StatusOf(box.SetTimeouts(LinkHandleOf(handle), readMs, writeMs));
        },
        [&](FtStatus status) { return torvik::standin::TimeoutsLine(readMs, writeMs, status); });
}

// The simulated box has one mode, bit-bang on all lines: every mode request is taken for it
// (the log keeps what was asked).
FtStatus WINAPI FT_SetBitMode(FtHandle handle, UCHAR mask, UCHAR mode) {
    return LoggedCall(
        [&](torvik::SimulatedBox& box) { return StatusOf(box.EnterBitBang(LinkHandleOf(handle))); },
        [&](FtStatus status) { return torvik::standin::BitModeLine(mask, mode, status); });
}

// Byte by byte onto the box, stopping at the first it does not take.
FtStatus WINAPI FT_Write(FtHandle handle, void* buffer, DWORD length, DWORD* written) {
    Standin& s = State();
    const std::lock_guard lock(s.mutex);
    if (written != nullptr) {
        *written = 0;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    DWORD done = 0;
    FtStatus status = torvik::kFtOk;
    if (!s.box.HoldsHandle(LinkHandleOf(handle))) {
        status = torvik::kFtInvalidHandle;
    } else if (written == nullptr || (bytes == nullptr && length != 0)) {
        status = torvik::kFtInvalidParameter;
    }
    for (DWORD i = 0; status == torvik::kFtOk && i < length; ++i) {
        std::uint32_t taken = 0;
        status = StatusOf(s.box.WriteByte(LinkHandleOf(handle), bytes[i], taken));
        done += taken;
        if (taken == 0) {
            break;   // timed out: the rest is not taken either
        }
    }
    if (written != nullptr) {
        *written = done;
    }
    if (bytes == nullptr || length == 0) {
        s.Log(torvik::standin::WriteLine(nullptr, status));
    }
    for (DWORD i = 0; bytes != nullptr && i < length && i < kMaxLoggedBytes; ++i) {
        s.Log(torvik::standin::WriteLine(&bytes[i], status, i < done));
    }
    return status;
}

FtStatus WINAPI FT_Close(FtHandle handle) {
    return LoggedCall(
        [&](torvik::SimulatedBox& box) { return StatusOf(box.Close(LinkHandleOf(handle))); },
        &torvik::standin::CloseLine);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) {
        torvik::standin::StopWatcher();
    }
    return TRUE;
}

}  // extern "C"

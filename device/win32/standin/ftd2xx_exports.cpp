// The stand-in driver library FTD2XX.dll: the seven driver functions the program uses, with the
// driver's signatures and list layout, translated onto the simulated box's link
// (device/sim_driver.h): attached devices from the file named by TORVIK_SIM_DEVICES, every call
// logged to the file named by TORVIK_SIM_LOG. Changes of the devices file reach the program's
// windows as device notices (device_watcher.h). For tests and demonstrations only.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "device/sim_driver.h"
#include "device/win32/d2xx_types.h"
#include "device/win32/standin/device_watcher.h"

namespace {

using torvik::FtHandle;
using torvik::FtStatus;
using torvik::LinkHandle;
using torvik::StatusOf;

// What a listed node reports besides what the devices file gives.
constexpr std::uint32_t kDeviceType232R = 5;
constexpr std::uint32_t kVendorProductId = 0x04036001;
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

// The simulated link of this process, its paths taken from the environment once. The watcher
// thread shares nothing with it.
struct Standin {
    std::mutex mutex;
    torvik::sim::LoggedSimLink link{Environment("TORVIK_SIM_DEVICES"), Environment("TORVIK_SIM_LOG")};
    // The list made by the latest FT_CreateDeviceInfoList, which FT_GetDeviceInfoList reports.
    std::vector<torvik::ListedDevice> listed;
    torvik::LinkResult listResult = torvik::LinkResult::Ok;
    // The watcher starts on first use, with the devices the link has just read.
    void StartWatching() { torvik::standin::StartWatcher(link.DevicesPath(), link.DevicesText()); }
};

Standin& State() {
    static Standin state;
    return state;
}

// One call under the lock.
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
        s.listResult = s.link.List(s.listed);
        s.StartWatching();
        if (count == nullptr) {
            return torvik::kFtInvalidParameter;
        }
        *count = static_cast<DWORD>(s.listed.size());
        return StatusOf(s.listResult);
    });
}

// As the vendor's library does: every node of the list that FT_CreateDeviceInfoList made is
// written, whatever *count says on entry; the caller must have room for them all.
FtStatus WINAPI FT_GetDeviceInfoList(torvik::FtDeviceNode* nodes, DWORD* count) {
    return Locked([&](Standin& s) {
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
    });
}

FtStatus WINAPI FT_OpenEx(void* argument, DWORD flags, FtHandle* handle) {
    const auto location = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(argument));
    return Locked([&](Standin& s) {
        if (handle == nullptr || flags != torvik::kFtOpenByLocation) {
            return torvik::kFtInvalidParameter;   // only opens by location are known here
        }
        LinkHandle opened = torvik::kNoHandle;
        const FtStatus status = StatusOf(s.link.Open(torvik::IdentityOfLocation(location), opened));
        *handle = reinterpret_cast<FtHandle>(opened);
        s.StartWatching();
        return status;
    });
}

FtStatus WINAPI FT_SetTimeouts(FtHandle handle, ULONG readMs, ULONG writeMs) {
    return Locked([&](Standin& s) {
        return StatusOf(s.link.SetTimeouts(LinkHandleOf(handle), readMs, writeMs));
    });
}

// The simulated box has one mode, bit-bang on all lines: every mode request is taken for it.
FtStatus WINAPI FT_SetBitMode(FtHandle handle, UCHAR, UCHAR) {
    return Locked([&](Standin& s) { return StatusOf(s.link.EnterBitBang(LinkHandleOf(handle))); });
}

// Byte by byte onto the box, stopping at the first it does not take.
FtStatus WINAPI FT_Write(FtHandle handle, void* buffer, DWORD length, DWORD* written) {
    return Locked([&](Standin& s) {
        if (written != nullptr) {
            *written = 0;
        }
        if (!s.link.HoldsHandle(LinkHandleOf(handle))) {
            return torvik::kFtInvalidHandle;
        }
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        if (written == nullptr || (bytes == nullptr && length != 0)) {
            return torvik::kFtInvalidParameter;
        }
        FtStatus status = torvik::kFtOk;
        for (DWORD i = 0; status == torvik::kFtOk && i < length; ++i) {
            std::uint32_t taken = 0;
            status = StatusOf(s.link.WriteByte(LinkHandleOf(handle), bytes[i], taken));
            *written += taken;
            if (taken == 0) {
                break;   // timed out: the rest is not taken either
            }
        }
        return status;
    });
}

FtStatus WINAPI FT_Close(FtHandle handle) {
    return Locked([&](Standin& s) { return StatusOf(s.link.Close(LinkHandleOf(handle))); });
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) {
        torvik::standin::StopWatcher();
    }
    return TRUE;
}

}  // extern "C"

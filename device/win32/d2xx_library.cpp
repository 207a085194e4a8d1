#include "device/win32/d2xx_library.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/settings.h"

namespace torvik::win32 {
namespace {

constexpr const char* kLibraryName = "FTD2XX.dll";
// More nodes than this are not believed: a sane driver reports a handful.
constexpr std::uint32_t kMaxListLength = 1024;

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

D2xxLibrary::D2xxLibrary(std::string programFolder) : programFolder_(std::move(programFolder)) {}

bool D2xxLibrary::EnsureLoaded() {
    if (functions_.complete) {
        return true;
    }
    if (!programFolder_.empty() && LoadFrom(ProgramFilePath(programFolder_, kLibraryName))) {
        return true;
    }
    // By name alone the program folder would come first again: ask the system folder itself.
    char systemFolder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    if (length > 0 && length < sizeof systemFolder &&
        LoadFrom(ProgramFilePath(std::string(systemFolder, length), kLibraryName))) {
        return true;
    }
    return LoadFrom(kLibraryName);
}

bool D2xxLibrary::LoadFrom(const std::string& path) {
    functions_ = Functions{};
    library_.Reset(LoadLibraryA(path.c_str()));
    if (!library_) {
        return false;
    }
    HMODULE module = library_.Get();
    Functions found;
    found.createDeviceInfoList = Lookup<CreateDeviceInfoListFn>(module, "FT_CreateDeviceInfoList");
    found.getDeviceInfoList = Lookup<GetDeviceInfoListFn>(module, "FT_GetDeviceInfoList");
    found.openEx = Lookup<OpenExFn>(module, "FT_OpenEx");
    found.setTimeouts = Lookup<SetTimeoutsFn>(module, "FT_SetTimeouts");
    found.setBitMode = Lookup<SetBitModeFn>(module, "FT_SetBitMode");
    found.write = Lookup<WriteFn>(module, "FT_Write");
    found.close = Lookup<CloseFn>(module, "FT_Close");
    found.complete = found.createDeviceInfoList != nullptr && found.getDeviceInfoList != nullptr &&
                     found.openEx != nullptr && found.setTimeouts != nullptr &&
                     found.setBitMode != nullptr &&
                     found.write != nullptr && found.close != nullptr;
    if (!found.complete) {
        // A library without the whole interface counts as no driver.
        library_.Reset();
        return false;
    }
    functions_ = found;
    return true;
}

FtStatus D2xxLibrary::CreateDeviceInfoList(std::uint32_t* count) {
    listLength_ = 0;
    if (count == nullptr) {
        return kFtInvalidParameter;
    }
    if (!EnsureLoaded()) {
        *count = 0;
        return kFtOtherError;
    }
    DWORD length = 0;
    const FtStatus status = functions_.createDeviceInfoList(&length);
    listLength_ = status == kFtOk ? std::min<std::uint32_t>(length, kMaxListLength) : 0;
    *count = status == kFtOk ? static_cast<std::uint32_t>(length) : 0;
    return status;
}

FtStatus D2xxLibrary::GetDeviceInfoList(DeviceNode* nodes, std::uint32_t* count) {
    if (count == nullptr || (nodes == nullptr && *count != 0)) {
        return kFtInvalidParameter;
    }
    if (!functions_.complete) {
        *count = 0;
        return kFtOtherError;
    }
    const std::uint32_t room = *count;
    // The driver fills as many nodes as its list holds; let it write into room of our own
    // and copy out no more than the caller has.
    scratch_.assign(std::max<std::uint32_t>(listLength_, room) + 1, DeviceNode{});
    DWORD length = static_cast<DWORD>(scratch_.size());
    const FtStatus status = functions_.getDeviceInfoList(scratch_.data(), &length);
    if (status != kFtOk) {
        *count = 0;
        return status;
    }
    const std::uint32_t copied =
        std::min({static_cast<std::uint32_t>(length), room, static_cast<std::uint32_t>(scratch_.size())});
    if (copied > 0) {
        std::memcpy(nodes, scratch_.data(), copied * sizeof(DeviceNode));
    }
    *count = static_cast<std::uint32_t>(length);
    return status;
}

FtStatus D2xxLibrary::OpenEx(std::uint32_t locationId, std::uint32_t flags, FtHandle* handle) {
    if (handle == nullptr) {
        return kFtInvalidParameter;
    }
    *handle = nullptr;
    if (!functions_.complete) {
        return kFtDeviceNotOpened;
    }
    // Opened by location, the id travels as the value of the first argument.
    PVOID opened = nullptr;
    const FtStatus status = functions_.openEx(
        reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(locationId)), flags, &opened);
    if (status == kFtOk) {
        *handle = opened;
    }
    return status;
}

FtStatus D2xxLibrary::SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) {
    return functions_.complete ? functions_.setTimeouts(handle, readMs, writeMs) : kFtInvalidHandle;
}

FtStatus D2xxLibrary::SetBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) {
    return functions_.complete ? functions_.setBitMode(handle, mask, mode) : kFtInvalidHandle;
}

FtStatus D2xxLibrary::Write(FtHandle handle, const void* buffer, std::uint32_t length,
                            std::uint32_t* written) {
    if (written != nullptr) {
        *written = 0;
    }
    if (!functions_.complete) {
        return kFtInvalidHandle;
    }
    DWORD done = 0;
    const FtStatus status =
        functions_.write(handle, const_cast<void*>(buffer), static_cast<DWORD>(length), &done);
    if (written != nullptr) {
        *written = static_cast<std::uint32_t>(done);
    }
    return status;
}

FtStatus D2xxLibrary::Close(FtHandle handle) {
    return functions_.complete ? functions_.close(handle) : kFtInvalidHandle;
}

}  // namespace torvik::win32

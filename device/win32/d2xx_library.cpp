#include "device/win32/d2xx_library.h"

#include <utility>

#include "core/settings.h"
#include "device/win32/d2xx_listing.h"

namespace torvik::win32 {
namespace {

constexpr const char* kLibraryName = "FTD2XX.dll";

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

PVOID HandleOf(LinkHandle handle) {
    return reinterpret_cast<PVOID>(handle);
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

LinkResult D2xxLibrary::List(std::vector<ListedDevice>& devices) {
    devices.clear();
    if (!EnsureLoaded()) {
        return LinkResult::Failed;
    }
    return ListThroughDriver(
        [&](std::uint32_t& length) {
            DWORD value = 0;
            const FtStatus status = functions_.createDeviceInfoList(&value);
            length = static_cast<std::uint32_t>(value);
            return status;
        },
        [&](FtDeviceNode* nodes, std::uint32_t& count) {
            DWORD value = count;
            const FtStatus status = functions_.getDeviceInfoList(nodes, &value);
            count = static_cast<std::uint32_t>(value);
            return status;
        },
        devices);
}

LinkResult D2xxLibrary::Open(const std::string& identity, LinkHandle& handle) {
    handle = kNoHandle;
    const std::optional<std::uint32_t> location = LocationOfIdentity(identity);
    if (!location) {
        return LinkResult::NotFound;
    }
    if (!functions_.complete) {
        return LinkResult::NotOpened;
    }
    // Opened by location, the id travels as the value of the first argument.
    PVOID opened = nullptr;
    const FtStatus status = functions_.openEx(
        reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(*location)), kFtOpenByLocation, &opened);
    if (status == kFtOk) {
        handle = reinterpret_cast<LinkHandle>(opened);
    }
    return ResultOf(status);
}

LinkResult D2xxLibrary::SetTimeouts(LinkHandle handle, std::uint32_t readMs, std::uint32_t writeMs) {
    if (!functions_.complete) {
        return LinkResult::InvalidHandle;
    }
    return ResultOf(functions_.setTimeouts(HandleOf(handle), readMs, writeMs));
}

LinkResult D2xxLibrary::EnterBitBang(LinkHandle handle) {
    if (!functions_.complete) {
        return LinkResult::InvalidHandle;
    }
    return ResultOf(functions_.setBitMode(HandleOf(handle), kAllLinesOutput, kAsyncBitBang));
}

LinkResult D2xxLibrary::WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) {
    written = 0;
    if (!functions_.complete) {
        return LinkResult::InvalidHandle;
    }
    DWORD done = 0;
    const FtStatus status = functions_.write(HandleOf(handle), &byte, 1, &done);
    written = static_cast<std::uint32_t>(done);
    return ResultOf(status);
}

LinkResult D2xxLibrary::Close(LinkHandle handle) {
    if (!functions_.complete) {
        return LinkResult::InvalidHandle;
    }
    return ResultOf(functions_.close(HandleOf(handle)));
}

}  // namespace torvik::win32

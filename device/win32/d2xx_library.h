#pragma once
// The link to the box through the FTDI D2XX driver library, FTD2XX.dll, loaded at run time.
// Without the library, or with one that lacks any of the seven functions, every call fails
// and the program runs without a box.

#include <windows.h>

#include <string>

#include "device/box_link.h"
#include "device/win32/d2xx_types.h"
#include "platform/win32/win_handle.h"

namespace torvik::win32 {

class D2xxLibrary final : public BoxLink {
public:
    // The library is looked for as "<programFolder>\FTD2XX.dll" first, then in the system
    // folder, then by name alone. A file that cannot be loaded (one built for the other
    // architecture, left by an older installation) does not stop the search.
    explicit D2xxLibrary(std::string programFolder);

    // Loads the library unless it is loaded; true when all seven functions are there. A failed
    // load is tried again at the next call, since the file may have been provided since.
    bool EnsureLoaded();
    bool Loaded() const { return functions_.complete; }
    bool Available() const override { return Loaded(); }
    const char* DriverName() const override { return "FTD2XX"; }

    // Every search starts here, so this is where a missing library is looked for again.
    LinkResult List(std::vector<ListedDevice>& devices) override;
    // Opens by location: the identity is the listed location id.
    LinkResult Open(const std::string& identity, LinkHandle& handle) override;
    LinkResult SetTimeouts(LinkHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
    LinkResult EnterBitBang(LinkHandle handle) override;
    LinkResult WriteByte(LinkHandle handle, std::uint8_t byte, std::uint32_t& written) override;
    LinkResult Close(LinkHandle handle) override;

private:
    using CreateDeviceInfoListFn = ULONG(WINAPI*)(DWORD* count);
    using GetDeviceInfoListFn = ULONG(WINAPI*)(FtDeviceNode* nodes, DWORD* count);
    using OpenExFn = ULONG(WINAPI*)(PVOID arg, DWORD flags, PVOID* handle);
    using SetTimeoutsFn = ULONG(WINAPI*)(PVOID handle, ULONG readMs, ULONG writeMs);
    using SetBitModeFn = ULONG(WINAPI*)(PVOID handle, UCHAR mask, UCHAR mode);
    using WriteFn = ULONG(WINAPI*)(PVOID handle, LPVOID buffer, DWORD length, DWORD* written);
    using CloseFn = ULONG(WINAPI*)(PVOID handle);

    struct Functions {
        CreateDeviceInfoListFn createDeviceInfoList = nullptr;
        GetDeviceInfoListFn getDeviceInfoList = nullptr;
        OpenExFn openEx = nullptr;
        SetTimeoutsFn setTimeouts = nullptr;
        SetBitModeFn setBitMode = nullptr;
        WriteFn write = nullptr;
        CloseFn close = nullptr;
        bool complete = false;
    };

    bool LoadFrom(const std::string& path);

    std::string programFolder_;
    LibraryHandle library_;
    Functions functions_;
};

}  // namespace torvik::win32

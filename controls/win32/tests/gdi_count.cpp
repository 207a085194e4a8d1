#include "controls/win32/tests/gdi_count.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstring>

namespace torvik::win32::testing {
namespace {

bool RunningOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine keeps its GDI objects in a table of 65536 entries of 24 bytes that the process
// environment block points at (GdiSharedHandleTable, offset 0xF8 on x64). Freeing an object
// keeps its entry's type byte (offset 12) but clears the extended type byte (offset 14), so
// live objects are the entries whose extended type is not zero.
int CountWineHandleTable() {
#if defined(_M_X64) || defined(__x86_64__)
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic,
                                  sizeof(basic), nullptr) != 0) {
        return -1;
    }
    const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
    const std::uint8_t* table = nullptr;
    if (peb != nullptr) {
        std::memcpy(&table, peb + 0xF8, sizeof(table));
    }
    if (table == nullptr) {
        return -1;
    }
    constexpr int kEntries = 0x10000;
    constexpr int kEntrySize = 24;
    constexpr int kExtendedTypeOffset = 14;
    int live = 0;
    for (int i = 0; i < kEntries; ++i) {
        live += table[i * kEntrySize + kExtendedTypeOffset] != 0 ? 1 : 0;
    }
    return live;
#else
    return -1;
#endif
}

}  // namespace

int GdiObjectCount() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) {
        return static_cast<int>(counted);
    }
    return RunningOnWine() ? CountWineHandleTable() : -1;
}

const char* GdiCountSource() {
    if (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0) {
        return "GetGuiResources";
    }
    return RunningOnWine() && CountWineHandleTable() >= 0 ? "Wine handle table" : "none";
}

}  // namespace torvik::win32::testing

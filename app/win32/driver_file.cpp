#include "app/win32/driver_file.h"

#include <cstdio>
#include <memory>

#include "core/settings.h"
#include "platform/win32/win_handle.h"
#include "platform/win32/window.h"
#include "res/resource.h"

namespace torvik::win32 {
namespace {

constexpr const char* kDriverFileName = "FTD2XX.dll";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

SYSTEMTIME DriverFileTime() {
    SYSTEMTIME time{};
    time.wYear = 2013;
    time.wMonth = 7;
    time.wDayOfWeek = 0;
    time.wDay = 12;
    time.wHour = 13;
    time.wMinute = 36;
    time.wSecond = 0;
    time.wMilliseconds = 0;
    return time;
}

void ProvideDriverFile(const std::string& programFolder) {
    const std::string path = ProgramFilePath(programFolder, kDriverFileName);

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes) != FALSE &&
        (attributes.nFileSizeLow != 0 || attributes.nFileSizeHigh != 0)) {
        return;  // an existing, non-empty file is left alone, whatever its version
    }

    HMODULE module = ResourceInstance();
    HRSRC found = FindResourceA(module, IDR_FTDIDLL_NAME, IDR_FTDIDLL_TYPE);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    if (data == nullptr || size == 0) {
        return;
    }

    bool complete = false;
    {
        std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
        if (!file) {
            return;
        }
        complete = std::fwrite(data, 1, size, file.get()) == size;
        complete = std::fclose(file.release()) == 0 && complete;
    }
    if (!complete) {
        // A partial library would be loaded and never replaced: leave no file at all.
        DeleteFileA(path.c_str());
        return;
    }
    SetFileWriteTime(path, DriverFileTime());
}

bool SetFileWriteTime(const std::string& path, const SYSTEMTIME& time) {
    FILETIME fileTime{};
    if (SystemTimeToFileTime(&time, &fileTime) == FALSE) {
        return false;
    }
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
        return false;
    }
    return SetFileTime(file.Get(), nullptr, nullptr, &fileTime) != FALSE;
}

}  // namespace torvik::win32

#include "core/file_io.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

namespace torvik::fileio {
namespace {

// Owns one file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data(), chunk, &done, nullptr) || done == 0) return false;
        bytes.remove_prefix(done);
    }
    return true;
}

// Creates a new temporary file beside path; its name is returned in tempPath.
HANDLE CreateTempBeside(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(counter.fetch_add(1));
        const HANDLE file = CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

ReadResult SystemReadAll(const std::string& path, std::string& bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                   ? ReadResult::kMissing
                   : ReadResult::kFailed;
    }
    bytes.clear();
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return ReadResult::kFailed;
        if (got == 0) return ReadResult::kRead;
        bytes.append(buffer, got);
    }
}

bool SystemReplaceWholeFile(const std::string& path, std::string_view bytes) {
    // A read-only file is not replaced (the move would refuse it anyway).
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return false;
    }

    std::string tempPath;
    FileHandle temp(CreateTempBeside(path, tempPath));
    if (!temp.valid()) return false;

    bool ok = WriteAll(temp.get(), bytes);
    ok = ok && FlushFileBuffers(temp.get()) != 0;
    ok = temp.Close() && ok;
    ok = ok && MoveFileExA(tempPath.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DeleteFileA(tempPath.c_str());
        return false;
    }
    return true;
}

bool SystemMakeFolders(const std::string& path) {
    if (path.empty()) return false;
    // Every parent after the drive or share, from the top down; one that exists is kept.
    for (std::size_t cut = path.find_first_of("\\/", 1); cut != std::string::npos;
         cut = path.find_first_of("\\/", cut + 1)) {
        const std::string parent = path.substr(0, cut);
        if (parent.back() == ':' || parent.find_first_not_of("\\/") == std::string::npos) continue;
        CreateDirectoryA(parent.c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

char PathSeparator() { return '\\'; }

}  // namespace torvik::fileio

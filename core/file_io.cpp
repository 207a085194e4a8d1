#include "core/file_io.h"

namespace torvik::fileio {
namespace {

FileSystem* g_override = nullptr;

}  // namespace

FileSystemOverride::FileSystemOverride(FileSystem& fileSystem) : previous_(g_override) {
    g_override = &fileSystem;
}

FileSystemOverride::~FileSystemOverride() { g_override = previous_; }

ReadResult ReadAll(const std::string& path, std::string& bytes) {
    return g_override != nullptr ? g_override->ReadAll(path, bytes) : SystemReadAll(path, bytes);
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    return g_override != nullptr ? g_override->ReplaceWholeFile(path, bytes)
                                 : SystemReplaceWholeFile(path, bytes);
}

bool MakeFolders(const std::string& path) {
    return g_override != nullptr ? g_override->MakeFolders(path) : SystemMakeFolders(path);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::string bytes;
    if (ReadAll(path, bytes) != ReadResult::kRead) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadFileForUpdate(const std::string& path) {
    std::string bytes;
    switch (ReadAll(path, bytes)) {
    case ReadResult::kRead: return bytes;
    case ReadResult::kMissing: return std::string();
    case ReadResult::kFailed: break;
    }
    return std::nullopt;
}

}  // namespace torvik::fileio

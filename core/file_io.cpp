#include "core/file_io.h"

namespace torvik::fileio {

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

#pragma once
// The system's file access with refusals a test asks for: a path made unreadable or
// unwritable is refused as the system refuses a user without the rights, whoever runs the
// tests. Everything else goes to the system; every refused call is counted.

#include <set>
#include <string>
#include <string_view>

#include "core/file_io.h"

namespace torvik::testing {

class RefusingFileSystem final : public fileio::FileSystem {
public:
    std::set<std::string> unreadable;
    std::set<std::string> unwritable;
    int refusals = 0;

    fileio::ReadResult ReadAll(const std::string& path, std::string& bytes) override {
        if (unreadable.count(path) != 0) {
            ++refusals;
            bytes.clear();
            return fileio::ReadResult::kFailed;
        }
        return fileio::SystemReadAll(path, bytes);
    }
    bool ReplaceWholeFile(const std::string& path, std::string_view bytes) override {
        if (unwritable.count(path) != 0) {
            ++refusals;
            return false;
        }
        return fileio::SystemReplaceWholeFile(path, bytes);
    }
    bool MakeFolders(const std::string& path) override { return fileio::SystemMakeFolders(path); }
};

}  // namespace torvik::testing

#pragma once
// Whole-file read, atomic replace and folder making. The platform gives the implementation of
// the System* functions (file_io_posix.cpp here, win32/file_io_win32.cpp on Windows; both are
// built into torvik_files, outside the core); every access goes through ReadAll,
// ReplaceWholeFile and MakeFolders, which a test can divert to a FileSystem of its own. Paths
// are narrow strings in the platform's own encoding.

#include <optional>
#include <string>
#include <string_view>

namespace torvik::fileio {

enum class ReadResult { kRead, kMissing, kFailed };

// The platform's read of a whole file into bytes (left empty unless kRead).
ReadResult SystemReadAll(const std::string& path, std::string& bytes);
// The platform's atomic replace, as ReplaceWholeFile below describes it.
bool SystemReplaceWholeFile(const std::string& path, std::string_view bytes);
// The platform's MakeFolders, as described below.
bool SystemMakeFolders(const std::string& path);
// The platform's folder separator: '\\' on Windows, '/' elsewhere.
char PathSeparator();

// File access as the program sees it. A test puts its own in place with FileSystemOverride,
// for instance one that refuses what the system would refuse a user without rights (the
// tests may run with every right, and the system then refuses nothing).
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual ReadResult ReadAll(const std::string& path, std::string& bytes) = 0;
    virtual bool ReplaceWholeFile(const std::string& path, std::string_view bytes) = 0;
    virtual bool MakeFolders(const std::string& path) = 0;
};

// While it lives, every file access goes to fileSystem instead of the system.
class FileSystemOverride {
public:
    explicit FileSystemOverride(FileSystem& fileSystem);
    ~FileSystemOverride();
    FileSystemOverride(const FileSystemOverride&) = delete;
    FileSystemOverride& operator=(const FileSystemOverride&) = delete;

private:
    FileSystem* previous_;
};

// The read of a whole file into bytes (left empty unless kRead).
ReadResult ReadAll(const std::string& path, std::string& bytes);

// The file's bytes, or nothing when it does not exist or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// For a read-modify-write: the file's bytes, an empty text when the file does not exist, or
// nothing when it exists but cannot be read (it must then not be replaced).
std::optional<std::string> ReadFileForUpdate(const std::string& path);

// (Not named ReplaceFile: <windows.h> turns that name into a macro.)
// Writes the bytes to a temporary file in the same folder and moves it over path. A file that
// exists but may not be written to is not replaced. On any failure the temporary file is
// removed, path is left as it was, and false returned.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

// Creates the folder and any missing parents, each new one for the user alone (0700 where the
// system has modes); true when the folder exists afterwards. An empty path is refused.
bool MakeFolders(const std::string& path);

}  // namespace torvik::fileio

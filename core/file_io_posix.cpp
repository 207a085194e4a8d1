#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace torvik::fileio {
namespace {

// Owns one file descriptor.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close (which may flush) succeeded.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

// Creates a new temporary file beside path; its name is returned in tempPath.
Fd CreateTempBeside(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp" + std::to_string(::getpid()) + "-" +
                   std::to_string(counter.fetch_add(1));
        Fd fd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.valid() || errno != EEXIST) return fd;
    }
    return Fd(-1);
}

}  // namespace

ReadResult SystemReadAll(const std::string& path, std::string& bytes) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
    bytes.clear();
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got == 0) return ReadResult::kRead;
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadResult::kFailed;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

bool SystemReplaceWholeFile(const std::string& path, std::string_view bytes) {
    // Renaming over a file needs only a writable folder; keep the file's own protection.
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && ::access(path.c_str(), W_OK) != 0) return false;

    std::string tempPath;
    Fd temp = CreateTempBeside(path, tempPath);
    if (!temp.valid()) return false;
    bool ok = WriteAll(temp.get(), bytes);
    if (ok && exists) ok = ::fchmod(temp.get(), existing.st_mode & 07777) == 0;
    // The data reaches the disk before the rename, so a crash leaves the old file or the new
    // one, whole. The rename itself is not synced: losing it in a crash only means the old
    // settings come back, and syncing the folder too would double the cost of every change.
    ok = ok && ::fsync(temp.get()) == 0;
    ok = temp.Close() && ok;
    ok = ok && ::rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    return true;
}

bool SystemMakeFolders(const std::string& path) {
    if (path.empty()) return false;
    // Every parent from the top down; a part that exists already is left as it is.
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        if (::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

char PathSeparator() { return '/'; }

}  // namespace torvik::fileio

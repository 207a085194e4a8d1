#include "app/linux/qt/devices_file_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "device/sim_devices_file.h"

namespace torvik::qt {
namespace {

bool SameDevices(const std::vector<SimDevice>& a, const std::vector<SimDevice>& b) {
    return a.size() == b.size() &&
           std::is_permutation(a.begin(), a.end(), b.begin(), &sim::SameDevice);
}

}  // namespace

DevicesFileWatch::DevicesFileWatch(std::string path, const std::string& devicesText,
                                   std::function<void()> notice)
    : path_(std::move(path)), known_(sim::ParseDevices(devicesText)), notice_(std::move(notice)) {
    const std::size_t slash = path_.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path_.substr(0, slash + 1);
    fileName_ = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) {
        return;
    }
    if (inotify_add_watch(fd_, folder.c_str(),
                          IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                              IN_MODIFY) < 0) {
        close(fd_);
        fd_ = -1;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { OnReadable(); });
}

DevicesFileWatch::~DevicesFileWatch() {
    notifier_.reset();
    if (fd_ >= 0) {
        close(fd_);
    }
}

void DevicesFileWatch::OnReadable() {
    // Drain every queued event; only whether one of them named our file matters.
    alignas(inotify_event) std::array<char, 4096> buffer{};
    bool ours = false;
    for (;;) {
        const ssize_t length = read(fd_, buffer.data(), buffer.size());
        if (length <= 0) {
            break;
        }
        for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            inotify_event event{};
            std::memcpy(&event, buffer.data() + offset, sizeof event);
            const ssize_t next = offset + static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if (event.len > 0 && next <= length) {
                const char* name = buffer.data() + offset + sizeof(inotify_event);
                if (fileName_ == std::string(name, strnlen(name, event.len))) {
                    ours = true;
                }
            }
            offset = next;
        }
    }
    if (!ours) {
        return;
    }
    std::vector<SimDevice> now = sim::ParseDevices(sim::ReadDevicesText(path_));
    if (SameDevices(now, known_)) {
        return;
    }
    known_ = std::move(now);
    notice_();
}

}  // namespace torvik::qt

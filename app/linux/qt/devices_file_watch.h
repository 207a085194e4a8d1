#pragma once
// Device notices of the simulated box: the devices file is watched through inotify (a
// QSocketNotifier on the inotify descriptor, no polling), and each change that plugs or unplugs
// a device calls the notice once, as a desktop's hot-plug notice would.
#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/simulated_box.h"

namespace torvik::qt {

class DevicesFileWatch final : public QObject {
public:
    // devicesText: the file's content as the driver has read it, so that the devices already
    // there raise no notice. Watches the file's folder, so the file may be replaced or made later.
    DevicesFileWatch(std::string path, const std::string& devicesText,
                     std::function<void()> notice);
    ~DevicesFileWatch() override;
    DevicesFileWatch(const DevicesFileWatch&) = delete;
    DevicesFileWatch& operator=(const DevicesFileWatch&) = delete;

    bool Watching() const { return fd_ >= 0; }

private:
    void OnReadable();

    std::string path_;
    std::string fileName_;
    std::vector<SimDevice> known_;
    std::function<void()> notice_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace torvik::qt

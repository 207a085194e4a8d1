#pragma once
// Device notices of the real box: a libudev monitor on the usb subsystem inside the event loop
// (a QSocketNotifier on the monitor's descriptor); every USB device added or removed calls the
// notice once.
#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

struct udev;
struct udev_monitor;

namespace torvik::qt {

class UdevNotices final : public QObject {
public:
    explicit UdevNotices(std::function<void()> notice);
    ~UdevNotices() override;
    UdevNotices(const UdevNotices&) = delete;
    UdevNotices& operator=(const UdevNotices&) = delete;

    bool Watching() const { return notifier_ != nullptr; }

private:
    void OnReadable();

    struct FreeUdev {
        void operator()(udev* context) const;
    };
    struct FreeMonitor {
        void operator()(udev_monitor* monitor) const;
    };
    std::function<void()> notice_;
    std::unique_ptr<udev, FreeUdev> udev_;
    std::unique_ptr<udev_monitor, FreeMonitor> monitor_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace torvik::qt

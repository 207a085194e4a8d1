#include "app/linux/qt/udev_notices.h"

#include <libudev.h>

#include <cstring>

namespace torvik::qt {

void UdevNotices::FreeUdev::operator()(udev* context) const { udev_unref(context); }
void UdevNotices::FreeMonitor::operator()(udev_monitor* monitor) const {
    udev_monitor_unref(monitor);
}

UdevNotices::UdevNotices(std::function<void()> notice)
    : notice_(std::move(notice)), udev_(udev_new()) {
    if (!udev_) {
        return;
    }
    monitor_.reset(udev_monitor_new_from_netlink(udev_.get(), "udev"));
    if (!monitor_ ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_.get(), "usb", "usb_device") < 0 ||
        udev_monitor_enable_receiving(monitor_.get()) < 0) {
        monitor_.reset();
        return;
    }
    const int fd = udev_monitor_get_fd(monitor_.get());
    if (fd < 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { OnReadable(); });
}

UdevNotices::~UdevNotices() { notifier_.reset(); }

void UdevNotices::OnReadable() {
    bool changed = false;
    // The descriptor is non-blocking: take every queued device.
    while (udev_device* device = udev_monitor_receive_device(monitor_.get())) {
        const char* action = udev_device_get_action(device);
        if (action != nullptr &&
            (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0)) {
            changed = true;
        }
        udev_device_unref(device);
    }
    if (changed) {
        notice_();
    }
}

}  // namespace torvik::qt

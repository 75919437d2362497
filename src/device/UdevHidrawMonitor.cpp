// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/UdevHidrawMonitor.h"

#include "core/LogCategories.h"

#include <QFile>
#include <QPointer>
#include <QSocketNotifier>

#include <cstring>
#include <fcntl.h>
#include <libudev.h>

UdevHidrawMonitor::UdevHidrawMonitor(QObject* parent, const QString& udevControlSocket)
    : QObject(parent) {
    // Only udevd sends on udev's event group: without it a monitor opens fine and hears nothing.
    if (!QFile::exists(udevControlSocket)) {
        qCWarning(lcDevice) << "udev is not running; USB boards plugged in or out are not noticed";
        return;
    }
    m_udev = udev_new();
    if (m_udev)
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    const bool listening =
        m_monitor &&
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) >= 0 &&
        udev_monitor_enable_receiving(m_monitor) >= 0;
    const int fd = listening ? udev_monitor_get_fd(m_monitor) : -1;
    // A blocking socket would hang the UI thread on the read that finds the queue empty.
    const int flags = fd >= 0 ? fcntl(fd, F_GETFL) : -1;
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) {
        qCWarning(lcDevice)
            << "udev events cannot be read; USB boards plugged in or out are not noticed";
        release();
        return;
    }
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevHidrawMonitor::readEvents);
}

UdevHidrawMonitor::~UdevHidrawMonitor() {
    release();
}

void UdevHidrawMonitor::release() {
    // The notifier must go before the socket it watches is closed.
    delete m_notifier;
    m_notifier = nullptr;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (m_udev)
        udev_unref(m_udev);
    m_udev = nullptr;
}

void UdevHidrawMonitor::readEvents() {
    // A listener may delete this monitor, e.g. by ending the backend that owns it.
    const QPointer<UdevHidrawMonitor> alive(this);
    // Take every queued event, or the notifier fires again at once for the ones left behind.
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        const char* action = udev_device_get_action(device);
        const bool plugged =
            action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0);
        udev_device_unref(device);
        if (plugged)
            emit hidrawAddedOrRemoved();
        if (!alive)
            return;
    }
}

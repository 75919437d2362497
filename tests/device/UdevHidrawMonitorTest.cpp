// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/UdevHidrawMonitor.h"

#include "device/HidApiBackend.h"
#include "support/WarningRecorder.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>

namespace {

// Stands in for udevd's control socket, so the monitor believes udev runs.
class RunningUdevMarker {
public:
    RunningUdevMarker() {
        QFile file(path());
        file.open(QIODevice::WriteOnly);
    }
    QString path() const { return m_dir.filePath(QStringLiteral("control")); }

private:
    QTemporaryDir m_dir;
};

QList<QPointer<QSocketNotifier>> notifiersUnder(const QObject& owner) {
    QList<QPointer<QSocketNotifier>> notifiers;
    for (QSocketNotifier* notifier : owner.findChildren<QSocketNotifier*>())
        notifiers.append(notifier);
    return notifiers;
}

TEST(UdevHidrawMonitor, WithoutUdevItWarnsOnceAndWatchesNothing) {
    WarningRecorder warnings("gloamery.device");
    UdevHidrawMonitor monitor(nullptr, QStringLiteral("/nonexistent/udev/control"));
    EXPECT_FALSE(monitor.isWatching());
    EXPECT_TRUE(notifiersUnder(monitor).isEmpty());
    ASSERT_EQ(warnings.messages().size(), 1);
    EXPECT_TRUE(warnings.messages().first().contains("udev"))
        << warnings.messages().first().toStdString();
}

TEST(UdevHidrawMonitor, WithUdevItWatchesANonBlockingSocketAndClosesItWhenDestroyed) {
    RunningUdevMarker udev;
    WarningRecorder warnings("gloamery.device");
    auto* monitor = new UdevHidrawMonitor(nullptr, udev.path());
    if (!monitor->isWatching()) {
        // A sandbox without netlink sockets: the monitor must have said so, once.
        EXPECT_EQ(warnings.messages().size(), 1);
        delete monitor;
        GTEST_SKIP() << "no udev netlink socket here";
    }
    EXPECT_TRUE(warnings.messages().isEmpty());
    const QList<QPointer<QSocketNotifier>> notifiers = notifiersUnder(*monitor);
    ASSERT_EQ(notifiers.size(), 1);
    EXPECT_TRUE(notifiers.first()->isEnabled());
    const int fd = int(notifiers.first()->socket());
    const int flags = fcntl(fd, F_GETFL);
    ASSERT_GE(flags, 0);
    EXPECT_TRUE(flags & O_NONBLOCK);

    // An empty queue must not block the event loop.
    QCoreApplication::processEvents();
    delete monitor;
    EXPECT_TRUE(notifiers.first().isNull());
    EXPECT_EQ(fcntl(fd, F_GETFD), -1);
    QCoreApplication::processEvents();
}

TEST(HidApiBackend, MonitorEventsBecomeDevicesChanged) {
    auto* monitor = new UdevHidrawMonitor(nullptr, QStringLiteral("/nonexistent/udev/control"));
    HidApiBackend backend(monitor);
    QSignalSpy changes(&backend, &HidBackend::devicesChanged);
    emit monitor->hidrawAddedOrRemoved();
    emit monitor->hidrawAddedOrRemoved();
    EXPECT_EQ(changes.size(), 2);
}

TEST(HidApiBackend, ADestroyedBackendTakesItsMonitorAndNotifierAlong) {
    RunningUdevMarker udev;
    auto* monitor = new UdevHidrawMonitor(nullptr, udev.path());
    const QPointer<UdevHidrawMonitor> watchedMonitor(monitor);
    auto* backend = new HidApiBackend(monitor);
    const QList<QPointer<QSocketNotifier>> notifiers = notifiersUnder(*backend);
    EXPECT_EQ(notifiers.size(), monitor->isWatching() ? 1 : 0);
    delete backend;
    EXPECT_TRUE(watchedMonitor.isNull());
    for (const QPointer<QSocketNotifier>& notifier : notifiers)
        EXPECT_TRUE(notifier.isNull());
    QCoreApplication::processEvents();
}

} // namespace

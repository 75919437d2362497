// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Tells when a hidraw node comes or goes, from udev's events, on the thread that made it.
class UdevHidrawMonitor : public QObject {
    Q_OBJECT
public:
    // udevd listens on this socket while it runs.
    static constexpr const char* UdevControlSocket = "/run/udev/control";

    // Without a running udev (a container, a minimal system) it warns once and stays silent.
    explicit UdevHidrawMonitor(
        QObject* parent = nullptr,
        const QString& udevControlSocket = QString::fromLatin1(UdevControlSocket));
    ~UdevHidrawMonitor() override;

    bool isWatching() const { return m_notifier != nullptr; }

signals:
    // One per hidraw node added or removed.
    void hidrawAddedOrRemoved();

private:
    void readEvents();
    void release();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
};

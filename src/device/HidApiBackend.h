// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackend.h"

#include <memory>

class HidApiLibrary;
class UdevHidrawMonitor;

// The system's HID devices through hidapi's hidraw backend, with udev telling when they change.
class HidApiBackend : public HidBackend {
    Q_OBJECT
public:
    // Watches udev itself.
    explicit HidApiBackend(QObject* parent = nullptr);
    // Takes over the monitor; its events become devicesChanged().
    explicit HidApiBackend(UdevHidrawMonitor* monitor, QObject* parent = nullptr);
    ~HidApiBackend() override;

    QList<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidConnection> open(const QByteArray& path, QString* whyNot) override;

private:
    std::shared_ptr<HidApiLibrary> m_library;
};

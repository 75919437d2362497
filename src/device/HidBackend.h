// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

// One HID device interface as the system lists it.
struct HidDeviceInfo {
    // Opaque to everything above the backend; stable while the device stays plugged in.
    QByteArray path;
    quint16 vendorId = 0;
    quint16 productId = 0;
    // Report lengths in bytes, report id included.
    int inputReportLength = 0;
    int outputReportLength = 0;

    bool operator==(const HidDeviceInfo&) const = default;
};

// An open device. It behaves like a hidraw node of a device without numbered reports.
class HidConnection {
public:
    virtual ~HidConnection() = default;

    // data[0] is the report id (0), followed by the report's data bytes. True when all was sent.
    virtual bool write(const quint8* data, int length) = 0;
    // Waits at most timeoutMs for the next input report that arrived after the connection was
    // opened and copies at most capacity of its data bytes (without the report id) to data.
    // Returns the number of bytes copied, 0 when nothing came in time, -1 on an error.
    virtual int read(quint8* data, int capacity, int timeoutMs) = 0;
};

// Where the HID devices come from: the system's hidraw nodes or simulated boards.
class HidBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The devices present now, in the system's order.
    virtual QList<HidDeviceInfo> enumerate() = 0;
    // Opens the device at the path; on failure returns nullptr and, when whyNot is given, says why
    // in words a user can act on.
    virtual std::unique_ptr<HidConnection> open(const QByteArray& path, QString* whyNot) = 0;

signals:
    // A device was added or removed; delivered on the thread that made the backend.
    void devicesChanged();
};

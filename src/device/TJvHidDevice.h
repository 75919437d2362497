// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackend.h"

#include <memory>

// One HID device interface the controller knows. Its connection is open only while needed:
// between the first read or write of a check-out and the check-in.
class TJvHidDevice {
public:
    TJvHidDevice(HidBackend& backend, const HidDeviceInfo& info);
    ~TJvHidDevice();
    TJvHidDevice(const TJvHidDevice&) = delete;
    TJvHidDevice& operator=(const TJvHidDevice&) = delete;

    const QByteArray& DevicePath() const { return m_info.path; }
    quint16 VendorID() const { return m_info.vendorId; }
    quint16 ProductID() const { return m_info.productId; }
    int InputReportByteLength() const { return m_info.inputReportLength; }
    int OutputReportByteLength() const { return m_info.outputReportLength; }
    bool IsPluggedIn() const { return m_pluggedIn; }
    bool IsCheckedOut() const { return m_checkedOut; }
    bool HasOpenFile() const { return m_connection != nullptr; }
    // Why the last opening failed, in words a user can act on; empty once it opened.
    const QString& OpenError() const { return m_openError; }

    // buffer[0] is the report id. True when all toWrite bytes went out.
    bool WriteFile(const quint8* buffer, int toWrite, int& written);
    // Fills buffer[0] with report id 0 and the report's data from buffer[1], at most toRead bytes
    // in all. False when nothing arrived within timeoutMs or the device failed.
    bool ReadFile(quint8* buffer, int toRead, int& read, int timeoutMs);
    void CloseFile();

private:
    friend class TJvHidDeviceController;

    bool OpenFile();

    HidBackend& m_backend;
    HidDeviceInfo m_info;
    bool m_pluggedIn = true;
    bool m_checkedOut = false;
    QString m_openError;
    std::unique_ptr<HidConnection> m_connection;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/TJvHidDevice.h"

TJvHidDevice::TJvHidDevice(HidBackend& backend, const HidDeviceInfo& info)
    : m_backend(backend)
    , m_info(info) {}

TJvHidDevice::~TJvHidDevice() = default;

bool TJvHidDevice::OpenFile() {
    if (m_connection)
        return true;
    if (!m_pluggedIn || !m_checkedOut)
        return false;
    // Its user tells the failure once, not at every exchange.
    m_openError.clear();
    m_connection = m_backend.open(m_info.path, &m_openError);
    if (m_connection)
        m_openError.clear();
    else if (m_openError.isEmpty())
        m_openError = QStringLiteral("cannot be opened");
    return m_connection != nullptr;
}

bool TJvHidDevice::WriteFile(const quint8* buffer, int toWrite, int& written) {
    written = 0;
    if (toWrite <= 0 || !OpenFile())
        return false;
    if (!m_connection->write(buffer, toWrite))
        return false;
    written = toWrite;
    return true;
}

bool TJvHidDevice::ReadFile(quint8* buffer, int toRead, int& read, int timeoutMs) {
    read = 0;
    if (toRead < 2 || !OpenFile())
        return false;
    // The connection delivers the data without the report id; keep the report's byte numbers.
    const int received = m_connection->read(buffer + 1, toRead - 1, timeoutMs);
    if (received <= 0)
        return false;
    buffer[0] = 0;
    read = received + 1;
    return true;
}

void TJvHidDevice::CloseFile() {
    m_connection.reset();
}

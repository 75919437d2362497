// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HidApiConnection.h"

#include "core/LogCategories.h"
#include "device/HidApiLibrary.h"

#include <QString>

#include <hidapi.h>

HidApiConnection::HidApiConnection(hid_device_* device, std::shared_ptr<HidApiLibrary> library)
    : m_device(device)
    , m_library(std::move(library)) {}

HidApiConnection::~HidApiConnection() {
    hid_close(m_device);
}

bool HidApiConnection::write(const quint8* data, int length) {
    if (!data || length <= 0)
        return false;
    const int written = hid_write(m_device, data, static_cast<size_t>(length));
    if (written < 0)
        qCDebug(lcDevice) << "write failed:" << QString::fromWCharArray(hid_error(m_device));
    return written == length;
}

int HidApiConnection::read(quint8* data, int capacity, int timeoutMs) {
    if (!data || capacity <= 0)
        return -1;
    // hidapi waits forever for a negative time; the boards' thread never may, or every board
    // would wait with it.
    const int waitMs = qMax(timeoutMs, 0);
    // The boards have no numbered reports, so hidraw hands over the data bytes alone, and it
    // drops what does not fit rather than writing past capacity.
    const int received = hid_read_timeout(m_device, data, static_cast<size_t>(capacity), waitMs);
    if (received < 0) {
        qCDebug(lcDevice) << "read failed:" << QString::fromWCharArray(hid_error(m_device));
        return -1;
    }
    return received;
}

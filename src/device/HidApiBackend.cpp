// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HidApiBackend.h"

#include "core/LogCategories.h"
#include "device/BoardReport.h"
#include "device/HidApiConnection.h"
#include "device/HidApiLibrary.h"
#include "device/HidrawNode.h"
#include "device/HidrawOpenAdvice.h"
#include "device/UdevHidrawMonitor.h"

#include <QSet>

#include <hidapi.h>

namespace {

// hidapi's "Success" when it has nothing to say.
QString libraryError() {
    const QString text = QString::fromWCharArray(hid_error(nullptr));
    return text == QLatin1String("Success") ? QString() : text;
}

} // namespace

HidApiBackend::HidApiBackend(QObject* parent)
    : HidApiBackend(new UdevHidrawMonitor, parent) {}

HidApiBackend::HidApiBackend(UdevHidrawMonitor* monitor, QObject* parent)
    : HidBackend(parent)
    , m_library(HidApiLibrary::acquire()) {
    monitor->setParent(this);
    connect(monitor, &UdevHidrawMonitor::hidrawAddedOrRemoved, this, &HidBackend::devicesChanged);
}

HidApiBackend::~HidApiBackend() = default;

QList<HidDeviceInfo> HidApiBackend::enumerate() {
    QList<HidDeviceInfo> devices;
    if (!m_library->isReady())
        return devices;
    hid_device_info* const first = hid_enumerate(0, 0);
    // hidapi lists a node once per top-level usage; the layer above wants one entry per node.
    QSet<QByteArray> seen;
    for (const hid_device_info* info = first; info; info = info->next) {
        const QByteArray path(info->path ? info->path : "");
        if (path.isEmpty() || seen.contains(path))
            continue;
        seen.insert(path);
        HidDeviceInfo device;
        device.path = path;
        device.vendorId = info->vendor_id;
        device.productId = info->product_id;
        // hidapi does not tell a device's report lengths; every board's are 9 bytes, and a
        // device that is no board is never opened for its reports.
        device.inputReportLength = BoardReport::Size;
        device.outputReportLength = BoardReport::Size;
        devices.append(device);
    }
    hid_free_enumeration(first);
    return devices;
}

std::unique_ptr<HidConnection> HidApiBackend::open(const QByteArray& path, QString* whyNot) {
    // hidapi would take a path with a NUL in it for the part before it, i.e. another file.
    if (path.isEmpty() || path.contains('\0')) {
        if (whyNot)
            *whyNot =
                QStringLiteral("\"%1\" is not a device path.").arg(QString::fromLocal8Bit(path));
        return nullptr;
    }
    if (const int nodeError = hidrawNodeError(path)) {
        if (whyNot)
            *whyNot = hidrawOpenAdvice(path, nodeError, {});
        return nullptr;
    }
    hid_device* const device = m_library->isReady() ? hid_open_path(path.constData()) : nullptr;
    if (device)
        return std::make_unique<HidApiConnection>(device, m_library);
    const QString reason = libraryError();
    qCDebug(lcDevice) << "cannot open" << path << reason;
    if (whyNot)
        *whyNot = hidrawOpenAdvice(path, 0, reason);
    return nullptr;
}

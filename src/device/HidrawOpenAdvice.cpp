// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HidrawOpenAdvice.h"

#include <cerrno>
#include <cstring>

QString hidrawOpenAdvice(const QByteArray& path, int nodeError, const QString& libraryError) {
    const QString node = QString::fromLocal8Bit(path);
    switch (nodeError) {
    case 0:
        if (libraryError.isEmpty())
            return QStringLiteral("%1 could not be opened as a HID device.").arg(node);
        return QStringLiteral("%1 could not be opened as a HID device: %2").arg(node, libraryError);
    case EACCES:
    case EPERM:
        return QStringLiteral(
                   "No permission to use the USB board at %1. Install the udev rule that "
                   "comes with Gloamery (see the README, \"USB boards\") and plug the "
                   "board in again.")
            .arg(node);
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return QStringLiteral("There is no device at %1; the board may have been unplugged.")
            .arg(node);
    case ENOTTY:
        return QStringLiteral("%1 is not a HID device (hidraw) node.").arg(node);
    default:
        return QStringLiteral("%1 could not be opened: %2")
            .arg(node, QString::fromLocal8Bit(std::strerror(nodeError)));
    }
}

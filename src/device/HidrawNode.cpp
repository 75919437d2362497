// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HidrawNode.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

int hidrawNodeError(const QByteArray& path, const QString& sysfsCharDevices) {
    struct stat node = {};
    if (::stat(path.constData(), &node) != 0)
        return errno;
    // Before the kind, so that a node without the udev rule's permission is told as such.
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0)
        return errno;
    if (!S_ISCHR(node.st_mode))
        return ENOTTY;
    // The device's class, e.g. .../class/hidraw, is the target of its subsystem link.
    const QString subsystem = QStringLiteral("%1/%2:%3/subsystem")
                                  .arg(sysfsCharDevices)
                                  .arg(major(node.st_rdev))
                                  .arg(minor(node.st_rdev));
    return QFileInfo(QFileInfo(subsystem).symLinkTarget()).fileName() == QLatin1String("hidraw")
               ? 0
               : ENOTTY;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Tells whether a path names a hidraw node this user may read and write, without opening it:
// opening an unknown device can act (a watchdog starts counting), and hidapi 0.13 frees its handle
// twice on a node that is not hidraw. Returns 0 when it does, the errno of stat or of the access
// check when the path is out of reach, and ENOTTY for a node of another kind. sysfsCharDevices is
// where the kernel lists character devices by number.
int hidrawNodeError(const QByteArray& path,
                    const QString& sysfsCharDevices = QStringLiteral("/sys/dev/char"));

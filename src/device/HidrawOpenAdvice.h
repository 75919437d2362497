// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Why a device node did not open, in words a user can act on. nodeError is what examining the
// node found (hidrawNodeError: 0 when it looked usable); libraryError is the HID library's own
// reason, the only one there is when the node looked usable.
QString hidrawOpenAdvice(const QByteArray& path, int nodeError, const QString& libraryError);

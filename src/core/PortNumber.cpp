// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PortNumber.h"

#include "core/IntegerText.h"

QString notAPortMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid port number").arg(text);
}

QString portTextRefusal(const QString& text) {
    const std::optional<qint32> port = integerFromText(text);
    if (!port)
        return notAnIntegerMessage(text);
    if (!isPortNumber(*port))
        return notAPortMessage(text);
    return {};
}

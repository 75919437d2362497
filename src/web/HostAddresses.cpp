// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/HostAddresses.h"

#include <QNetworkInterface>

QStringList hostIPv4Addresses() {
    QStringList addresses;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = interface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            const QHostAddress address = entry.ip();
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
                addresses.append(address.toString());
        }
    }
    if (addresses.isEmpty())
        addresses.append(QStringLiteral("127.0.0.1"));
    return addresses;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/AccessAddresses.h"

namespace AccessAddresses {

namespace {

constexpr int MostAddressesShownAtStart = 4;
constexpr int MostAddressesPicked = 5;

} // namespace

QString compose(const QString& login, const QString& password, const QString& ip,
                const QString& port, const QString& page) {
    return QStringLiteral("http://") + login + u':' + password + u'@' + ip + u':' + port + u'/' +
           page;
}

QString afterListing(const QStringList& addresses, const QString& shown) {
    if (addresses.isEmpty() || addresses.size() > MostAddressesShownAtStart)
        return shown;
    return addresses.last();
}

QString nextAddress(const QStringList& addresses, const QString& shown) {
    switch (addresses.size()) {
    case 1:
        return addresses.first();
    case 2:
        return shown == addresses.first() ? addresses.last() : addresses.first();
    default:
        return shown;
    }
}

QString picked(const QStringList& addresses, int index, const QString& shown) {
    if (index < 0 || index >= MostAddressesPicked || index >= addresses.size())
        return shown;
    return addresses.at(index);
}

} // namespace AccessAddresses

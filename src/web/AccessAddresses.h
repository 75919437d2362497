// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The address a browser is given, and which of the computer's addresses goes into it.
namespace AccessAddresses {

// "http://" login ":" password "@" ip ":" port "/" page, each part exactly as typed: nothing is
// escaped or trimmed, and empty parts stay empty.
QString compose(const QString& login, const QString& password, const QString& ip,
                const QString& port, const QString& page);

// The shown address once the list is filled: the last of one to four addresses; with none, or
// with five and more, `shown` stays.
QString afterListing(const QStringList& addresses, const QString& shown);

// An IP arrow: one address is shown; of two, the first unless it is shown already, then the
// second; with none, or three and more, `shown` stays.
QString nextAddress(const QStringList& addresses, const QString& shown);

// A double click on entry `index` of the list: only the first five entries can be picked.
QString picked(const QStringList& addresses, int index, const QString& shown);

} // namespace AccessAddresses

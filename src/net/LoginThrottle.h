// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/NetLimits.h"

#include <QDateTime>
#include <QHash>
#include <QString>

// Wrong logins make further logins wait: per address a delay that doubles with each failure,
// and for all addresses together a budget that refills at a steady rate, so that neither one
// address nor many can guess passwords quickly.
class LoginThrottle {
public:
    explicit LoginThrottle(const NetLimits& limits)
        : m_limits(limits) {}

    // How long a login from `address` must wait before it is answered; 0 when it may be now.
    qint64 waitMs(const QString& address, const QDateTime& now) const;
    void failed(const QString& address, const QDateTime& now);
    // A good login forgets the address's failures; the shared budget stays spent.
    void succeeded(const QString& address) { m_addresses.remove(address); }

private:
    struct Failures {
        int count = 0;
        QDateTime last;
    };

    qint64 addressDelayMs(int failures) const;
    void makeRoom(const QDateTime& now);

    NetLimits m_limits;
    QHash<QString, Failures> m_addresses;
    // When the shared budget is whole again (the theoretical arrival time of a rate limiter).
    QDateTime m_budgetFull;
};

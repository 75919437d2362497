// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/LoginThrottle.h"

#include <algorithm>

qint64 LoginThrottle::addressDelayMs(int failures) const {
    qint64 delay = m_limits.firstFailureDelayMs;
    for (int i = 1; i < failures && delay < m_limits.maxFailureDelayMs; ++i)
        delay *= 2;
    return std::min(delay, m_limits.maxFailureDelayMs);
}

qint64 LoginThrottle::waitMs(const QString& address, const QDateTime& now) const {
    qint64 wait = 0;
    const auto found = m_addresses.constFind(address);
    if (found != m_addresses.cend())
        wait = addressDelayMs(found->count) - found->last.msecsTo(now);
    if (m_budgetFull.isValid()) {
        const qint64 burst = qint64(m_limits.failureBurst - 1) * m_limits.failureIntervalMs;
        wait = std::max(wait, now.msecsTo(m_budgetFull) - burst);
    }
    // A clock set back must not hold logins for longer than the longest delay.
    return std::clamp<qint64>(wait, 0, m_limits.maxFailureDelayMs);
}

void LoginThrottle::failed(const QString& address, const QDateTime& now) {
    auto found = m_addresses.find(address);
    if (found == m_addresses.end()) {
        makeRoom(now);
        found = m_addresses.insert(address, {});
    } else if (found->last.msecsTo(now) >= m_limits.failureMemoryMs) {
        found->count = 0;
    }
    ++found->count;
    found->last = now;
    const QDateTime from = m_budgetFull.isValid() && m_budgetFull > now ? m_budgetFull : now;
    m_budgetFull = from.addMSecs(m_limits.failureIntervalMs);
}

void LoginThrottle::makeRoom(const QDateTime& now) {
    if (m_addresses.size() < m_limits.maxRememberedAddresses)
        return;
    m_addresses.removeIf([&](const auto& item) {
        return item.value().last.msecsTo(now) >= m_limits.failureMemoryMs;
    });
    // Still full: the shared budget limits the addresses that are forgotten now.
    while (m_addresses.size() >= std::max(m_limits.maxRememberedAddresses, 1)) {
        const auto oldest =
            std::min_element(m_addresses.begin(), m_addresses.end(),
                             [](const Failures& a, const Failures& b) { return a.last < b.last; });
        m_addresses.erase(oldest);
    }
}

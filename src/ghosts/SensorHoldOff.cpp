// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/SensorHoldOff.h"

#include "ghosts/GhostTable.h"
#include "ghosts/SensorInputs.h"

QList<int> SensorHoldOff::readyListeners(const GhostTable& table, int input,
                                         const QDateTime& now) const {
    QList<int> ghosts;
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        const GhostSettings& ghost = table[n];
        if (ghost.ON && SensorInputs::inputFor(ghost.Special, ghost.Special_Dop_1) == input &&
            ready(n, now))
            ghosts.append(n);
    }
    return ghosts;
}

void SensorHoldOff::reacted(int ghost, const QDateTime& now) {
    m_lastReaction.at(static_cast<size_t>(ghost - 1)) = now;
}

bool SensorHoldOff::ready(int ghost, const QDateTime& now) const {
    const QDateTime& last = m_lastReaction.at(static_cast<size_t>(ghost - 1));
    if (!last.isValid())
        return true;
    const qint64 elapsed = last.msecsTo(now);
    // A clock set back must not silence the ghost until it catches up again.
    return elapsed < 0 || elapsed >= HoldOffMs;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/GhostTable.h"

#include <QtGlobal>

GhostSettings& GhostTable::operator[](int ghost) {
    Q_ASSERT(ghost >= 1 && ghost <= GhostCount);
    return m_ghosts[static_cast<size_t>(ghost - 1)];
}

const GhostSettings& GhostTable::operator[](int ghost) const {
    Q_ASSERT(ghost >= 1 && ghost <= GhostCount);
    return m_ghosts[static_cast<size_t>(ghost - 1)];
}

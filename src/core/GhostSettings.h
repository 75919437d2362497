// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One ghost's settings. The table enforces no range: values stay as loaded or as last set, and
// the editors bring them into range when they step or show them.
struct GhostSettings {
    // What the dialog lets a user type; a longer name in the store is kept whole.
    static constexpr int NameTypedLength = 16;

    QString Name;
    bool ON = false;
    qint32 Nrav_1 = 1; // temper: kind / evil (the quick panels offer six tempers)
    qint32 Nrav_2 = 1; // merry / sad
    qint32 Nrav_3 = 1; // low voice / loud
    qint32 Nrav_4 = 1; // taciturn / talkative
    qint32 Regime = 0;
    qint32 Special = 0;
    qint32 Regime_Dop_1 = 0;  // "from" hour of the pre-set time
    qint32 Regime_Dop_1a = 0; // "to" hour of the pre-set time
    qint32 Special_Dop_1 = 0; // sensor, 0 = none

    bool operator==(const GhostSettings&) const = default;
};

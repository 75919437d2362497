// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The act last started: the chosen ghost, copies of its settings, and what it plays.
struct CurrentAct {
    qint32 ActiveCount = 0;
    qint32 StartIndex = 0;
    qint32 GhostNumber = 0;
    qint32 Special = 0;
    qint32 Regime = 0;
    qint32 Regime_Dop_1 = 0;
    qint32 Regime_Dop_1a = 0;
    qint32 Nrav_1 = 0;
    qint32 Nrav_2 = 0;
    qint32 Nrav_3 = 0;
    qint32 Nrav_4 = 0;
    qint32 SoundKind = 0;    // 0 long ("b" library), otherwise short ("m")
    qint32 SoundNumber = 0;  // 0..9 within the library
    qint32 StereoEffect = 0; // 0 middle, 1 left, 2 right, 3 and 4 sweeps

    bool operator==(const CurrentAct&) const = default;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActTrigger.h"
#include "core/GhostSoundOutput.h"

#include <QList>
#include <QtGlobal>

class Clock;
class GhostTable;
class RandomSource;
struct CurrentAct;
struct GhostSettings;

// Makes one switched-on ghost act: draws which ghost, which sound and which stereo effect,
// records it in CurrentAct and, when the ghost's regime allows it at this hour, plays the sound.
class GhostActor {
public:
    GhostActor(const GhostTable& table, CurrentAct& act, RandomSource& random, const Clock& clock,
               GhostSoundOutput* output);

    // `trigger` only tells the log what made the ghost act.
    void GhostAct(const ActTrigger& trigger);
    // A ghost answering a sensor: one of `listeners` (ghost numbers), drawn and played as any
    // act, with ActiveCount the number of listeners. Returns the ghost that acted, 0 for none.
    int SensorAct(const QList<int>& listeners, const ActTrigger& trigger);
    // Whether the last act started its sound (its library may still fail to play it).
    bool played() const { return m_played; }

    // Whether a ghost with these regime settings sounds at `hour` (0..23). Regime 5 is decided by
    // a draw and is not answered here.
    static bool soundsAt(qint32 regime, qint32 fromHour, qint32 toHour, int hour);
    // Hours as the dialog shows them: above 23 becomes 0, below 0 becomes 23.
    static int wrapHour(qint32 hour);

private:
    QList<int> switchedOnGhosts() const;
    int actAmong(const QList<int>& candidates, const ActTrigger& trigger);
    bool regimeAllowsSound();

    const GhostTable& m_table;
    CurrentAct& m_act;
    RandomSource& m_random;
    const Clock& m_clock;
    GhostSoundOutput* m_output;
    bool m_played = false;
};

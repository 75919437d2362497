// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/GhostActor.h"

#include "core/Clock.h"
#include "core/CurrentAct.h"
#include "core/LogCategories.h"
#include "core/RandomSource.h"
#include "ghosts/ActReport.h"
#include "ghosts/GhostTable.h"

namespace {
constexpr int RegimeAroundTheClock = 1;
constexpr int RegimeNight = 2;
constexpr int RegimeDaytime = 3;
constexpr int RegimePresetTime = 4;
constexpr int RegimeRandomly = 5;
} // namespace

GhostActor::GhostActor(const GhostTable& table, CurrentAct& act, RandomSource& random,
                       const Clock& clock, GhostSoundOutput* output)
    : m_table(table)
    , m_act(act)
    , m_random(random)
    , m_clock(clock)
    , m_output(output) {}

int GhostActor::wrapHour(qint32 hour) {
    if (hour > 23)
        return 0;
    if (hour < 0)
        return 23;
    return hour;
}

bool GhostActor::soundsAt(qint32 regime, qint32 fromHour, qint32 toHour, int hour) {
    switch (regime) {
    case RegimeAroundTheClock:
        return true;
    case RegimeNight:
        return hour >= 20 || hour < 8;
    case RegimeDaytime:
        return hour >= 8 && hour < 20;
    case RegimePresetTime: {
        // Like the fixed regimes: from-hour included, to-hour excluded, running on past midnight
        // when the span wraps; equal hours ("00" to "00") mean the whole day.
        const int from = wrapHour(fromHour);
        const int to = wrapHour(toHour);
        if (from == to)
            return true;
        if (from < to)
            return hour >= from && hour < to;
        return hour >= from || hour < to;
    }
    default:
        return false;
    }
}

QList<int> GhostActor::switchedOnGhosts() const {
    QList<int> ghosts;
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        if (m_table[n].ON)
            ghosts.append(n);
    }
    return ghosts;
}

bool GhostActor::regimeAllowsSound() {
    switch (m_act.Regime) {
    case RegimeRandomly:
        return m_random.Random(2) == 0; // one act in two
    case RegimeNight:
    case RegimeDaytime:
    case RegimePresetTime:
        return soundsAt(m_act.Regime, m_act.Regime_Dop_1, m_act.Regime_Dop_1a,
                        m_clock.now().time().hour());
    default: // around the clock or never: no need for the time
        return soundsAt(m_act.Regime, 0, 0, 0);
    }
}

void GhostActor::GhostAct(const ActTrigger& trigger) {
    actAmong(switchedOnGhosts(), trigger);
}

int GhostActor::SensorAct(const QList<int>& listeners, const ActTrigger& trigger) {
    return actAmong(listeners, trigger);
}

int GhostActor::actAmong(const QList<int>& candidates, const ActTrigger& trigger) {
    m_played = false;
    m_act.ActiveCount = 0;
    m_act.StartIndex = 0;
    m_act.GhostNumber = 0;
    m_act.Special = 0;
    m_act.Regime = 0;
    m_act.SoundKind = 0;
    m_act.SoundNumber = 0;

    m_act.ActiveCount = static_cast<qint32>(candidates.size());
    if (m_act.ActiveCount < 1) {
        qCInfo(lcGhosts).noquote() << ActReport::nobody(trigger);
        return 0;
    }

    m_random.Randomize();
    m_act.StartIndex = m_random.Random(m_act.ActiveCount) + 1;
    m_act.SoundKind = m_random.Random(2);
    m_act.SoundNumber = m_random.Random(10);
    m_act.StereoEffect = m_random.Random(3);

    // Every candidate has the same chance: the StartIndex-th of them, in ghost order.
    const int chosen = candidates[m_act.StartIndex - 1];
    const GhostSettings& ghost = m_table[chosen];
    m_act.GhostNumber = chosen;
    m_act.Special = ghost.Special;
    m_act.Regime = ghost.Regime;
    m_act.Regime_Dop_1 = ghost.Regime_Dop_1;
    m_act.Regime_Dop_1a = ghost.Regime_Dop_1a;
    m_act.Nrav_1 = ghost.Nrav_1;
    m_act.Nrav_2 = ghost.Nrav_2;
    m_act.Nrav_3 = ghost.Nrav_3;
    m_act.Nrav_4 = ghost.Nrav_4;

    // Without an output the act stays silent and decides nothing more, not even a draw.
    if (!m_output)
        return chosen;
    if (!regimeAllowsSound()) {
        qCInfo(lcGhosts).noquote()
            << ActReport::skipped(m_act, ghost.Name, m_clock.now().time(), trigger);
        return chosen;
    }
    playCurrentAct(*m_output, m_act,
                   ghost.Nrav_3 == 0 ? SoundAmplitude::Half : SoundAmplitude::Full, true);
    m_played = true;
    // After the play, which brings a stored specialty or number outside the libraries into range.
    qCInfo(lcGhosts).noquote() << ActReport::acted(m_act, ghost.Name, trigger);
    return chosen;
}

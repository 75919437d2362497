// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/AttractionScheduler.h"

#include "core/AttractionOptions.h"
#include "core/CurrentAct.h"
#include "core/GhostSoundOutput.h"
#include "core/ProgramState.h"
#include "core/RandomSource.h"

#include <algorithm>
#include <iterator>

AttractionScheduler::AttractionScheduler(ProgramState& state, RandomSource& random, Actions actions)
    : m_state(state)
    , m_random(random)
    , m_actions(std::move(actions)) {}

void AttractionScheduler::Sb_Attraction_ShowClick() {
    m_state.AttractionRunning = !m_state.AttractionRunning;
    // The duration counts from the click that starts the attraction; ActTick and ActWait are
    // kept, so a restarted attraction goes on towards the wait it had drawn.
    if (m_state.AttractionRunning)
        LimitTick = 0;
    if (m_actions.enableGhostTimer)
        m_actions.enableGhostTimer(m_state.AttractionRunning);
    if (m_actions.showState)
        m_actions.showState(m_state.AttractionRunning);
}

void AttractionScheduler::Timer_GhostTimer() {
    // A tick already queued when the attraction stopped must not count.
    if (!m_state.AttractionRunning)
        return;
    ++ActTick;
    ++LimitTick;
    m_random.Randomize();
    if (ActTick == 1)
        ActWait = m_random.Random(900) + 300;
    if (ActTick == ActWait) {
        if (m_actions.ghostAct)
            m_actions.ghostAct();
        ActTick = 0;
    }
    if (limitReached()) {
        StopAttraction();
        // Only the end by the duration: a stop by the start button plays and opens nothing.
        if (m_options->Attraction_Over_2 && m_actions.finalSound)
            m_actions.finalSound();
        if (m_options->Attraction_Over_1 && m_actions.openDoor)
            m_actions.openDoor();
    }
}

bool AttractionScheduler::limitReached() const {
    return ticksLeft() == 0;
}

qint32 AttractionScheduler::ticksLeft() const {
    if (!m_options || m_limitLifted)
        return -1;
    const qint32 position = m_options->Attraction_Time;
    if (position < 0 || position >= static_cast<qint32>(std::size(Limits)))
        return -1;
    return std::max<qint32>(0, Limits[position] - LimitTick);
}

void AttractionScheduler::StopAttraction() {
    if (m_actions.enableGhostTimer)
        m_actions.enableGhostTimer(false);
    m_state.AttractionRunning = false;
    if (m_actions.showState)
        m_actions.showState(false);
}

void AttractionScheduler::PlayFinalSound(CurrentAct& act, GhostSoundOutput& output) {
    act.Special = 0;
    act.SoundKind = 0;
    act.SoundNumber = 0;
    act.StereoEffect = 0;
    playCurrentAct(output, act, SoundAmplitude::Full);
}

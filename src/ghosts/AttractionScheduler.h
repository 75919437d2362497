// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <functional>

class GhostSoundOutput;
class RandomSource;
struct AttractionOptions;
struct CurrentAct;
struct ProgramState;

// The attraction: started and stopped by the start button, counted one tick per second by the
// main window's Timer_Ghost. Draws a wait of 300 to 1199 ticks, makes a ghost act when it is over,
// and ends the attraction when the chosen duration is reached.
class AttractionScheduler {
public:
    // Ticks of the durations "15 мин.", "30 мин.", "60 мин."; position 3 has no limit.
    static constexpr qint32 Limits[] = {900, 1800, 3600};

    struct Actions {
        std::function<void(bool enabled)> enableGhostTimer; // Timer_Ghost
        std::function<void(bool running)> showState;        // lamp colour and the two hints
        std::function<void()> ghostAct;                     // GhostAct
        std::function<void()> finalSound;                   // "Финальный звук"
        std::function<void()> openDoor;                     // "Открыть дверь"
    };

    AttractionScheduler(ProgramState& state, RandomSource& random, Actions actions);

    // Without options the attraction has no limit and no final sound.
    void setOptions(const AttractionOptions* options) { m_options = options; }
    // While an evening plan is in force its end, not the chosen duration, stops the attraction.
    void setLimitLifted(bool lifted) { m_limitLifted = lifted; }

    void Sb_Attraction_ShowClick();
    void Timer_GhostTimer();
    void StopAttraction();
    // Whole ticks until the chosen duration ends a running attraction; -1 without a limit.
    qint32 ticksLeft() const;

    // The final sound: the long sounds of specialty 0, sound 0, in the middle, at full amplitude.
    static void PlayFinalSound(CurrentAct& act, GhostSoundOutput& output);

    qint32 ActTick = 0;
    qint32 ActWait = 0;
    qint32 LimitTick = 0;

private:
    bool limitReached() const;

    ProgramState& m_state;
    RandomSource& m_random;
    Actions m_actions;
    const AttractionOptions* m_options = nullptr;
    bool m_limitLifted = false;
};

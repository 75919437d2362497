// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActTrigger.h"
#include "core/CurrentAct.h"
#include "core/PlatformServices.h"
#include "ghosts/GhostTable.h"
#include "ghosts/SensorHoldOff.h"

#include <functional>

class GhostActor;
class GhostSoundOutput;
struct ProgramState;

// The eight ghosts for the whole run: their table with its store section, the act last started
// and the sensors' hold-off. Every way a ghost is made to act (the attraction, a sensor, a phone,
// a network client, the sound window's button) comes here.
class Ghosts {
public:
    // Told of every act that chose a ghost, after it started its sound or kept quiet.
    using ActListener = std::function<void(const CurrentAct& act, const QString& name,
                                           const ActTrigger& trigger, bool played)>;
    // Until when the ghosts keep still; an invalid moment when they may act.
    using QuietUntil = std::function<QDateTime()>;

    // `sound`: where acts play; none: acts stay silent.
    Ghosts(const ProgramState& state, const PlatformServices& platform, GhostSoundOutput* sound);
    // Saves the table, if it was loaded and not saved since.
    ~Ghosts();
    Ghosts(const Ghosts&) = delete;
    Ghosts& operator=(const Ghosts&) = delete;

    void loadSettings();
    void saveSettings();

    GhostTable& table() { return m_table; }
    const GhostTable& table() const { return m_table; }
    CurrentAct& currentAct() { return m_act; }
    const CurrentAct& currentAct() const { return m_act; }
    GhostSoundOutput* sound() const { return m_sound; }

    void GhostAct(const ActTrigger& trigger);
    // Board input `input` has turned on at board `board` (product id): while the attraction runs,
    // one of the switched-on ghosts listening to it acts at once, unless each has just reacted.
    void SensorAct(int input, int board);
    void setActListener(ActListener listener) { m_actListener = std::move(listener); }
    // Quiet hours: every act but the sound window's is skipped, with one log line each.
    void setQuietHours(QuietUntil quietUntil) { m_quietUntil = std::move(quietUntil); }

private:
    void tellListener(const GhostActor& actor, const ActTrigger& trigger) const;
    bool keptQuiet(const ActTrigger& trigger) const;

    const ProgramState& m_state;
    SettingsStore* m_store;
    MessageBoxes* m_messages;
    RandomSource& m_random;
    const Clock& m_clock;
    GhostSoundOutput* const m_sound;
    GhostTable m_table;
    CurrentAct m_act;
    SensorHoldOff m_sensorHoldOff;
    bool m_loaded = false;
    ActListener m_actListener;
    QuietUntil m_quietUntil;
};

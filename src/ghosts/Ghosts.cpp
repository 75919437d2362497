// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/Ghosts.h"

#include "core/Clock.h"
#include "core/LogCategories.h"
#include "core/ProgramState.h"
#include "ghosts/ActReport.h"
#include "ghosts/GhostActor.h"
#include "ghosts/GhostTableStore.h"

Ghosts::Ghosts(const ProgramState& state, const PlatformServices& platform, GhostSoundOutput* sound)
    : m_state(state)
    , m_store(platform.store)
    , m_messages(platform.messages)
    , m_random(requireService(platform.random, "The ghosts", "random"))
    , m_clock(requireService(platform.clock, "The ghosts", "clock"))
    , m_sound(sound) {}

Ghosts::~Ghosts() {
    // A table never loaded holds only defaults: writing it would wipe the user's ghosts.
    if (m_loaded)
        saveSettings();
}

void Ghosts::saveSettings() {
    GhostTableStore(m_store, m_messages).save(m_table);
    m_loaded = false;
}

void Ghosts::loadSettings() {
    GhostTableStore(m_store, m_messages).load(m_table);
    m_loaded = true;
}

bool Ghosts::keptQuiet(const ActTrigger& trigger) const {
    // The sound window's button is a person at the computer trying a sound, not a ghost acting.
    if (!m_quietUntil || trigger.source == ActTrigger::Source::SoundWindow)
        return false;
    const QDateTime until = m_quietUntil();
    if (!until.isValid())
        return false;
    qCInfo(lcGhosts).noquote() << ActReport::quietHours(trigger, until);
    return true;
}

void Ghosts::GhostAct(const ActTrigger& trigger) {
    if (keptQuiet(trigger))
        return;
    GhostActor actor(m_table, m_act, m_random, m_clock, m_sound);
    actor.GhostAct(trigger);
    tellListener(actor, trigger);
}

void Ghosts::tellListener(const GhostActor& actor, const ActTrigger& trigger) const {
    if (m_actListener && m_act.GhostNumber != 0)
        m_actListener(m_act, m_table[m_act.GhostNumber].Name, trigger, actor.played());
}

void Ghosts::SensorAct(int input, int board) {
    const ActTrigger trigger = ActTrigger::sensor(input, board);
    if (!m_state.AttractionRunning) {
        qCInfo(lcGhosts).noquote() << ActReport::attractionStopped(trigger);
        return;
    }
    if (keptQuiet(trigger))
        return;
    const QDateTime now = m_clock.now();
    const QList<int> listeners = m_sensorHoldOff.readyListeners(m_table, input, now);
    if (listeners.isEmpty()) {
        qCInfo(lcGhosts).noquote() << ActReport::nobody(trigger);
        return;
    }
    GhostActor actor(m_table, m_act, m_random, m_clock, m_sound);
    const int ghost = actor.SensorAct(listeners, trigger);
    m_sensorHoldOff.reacted(ghost, now);
    tellListener(actor, trigger);
}

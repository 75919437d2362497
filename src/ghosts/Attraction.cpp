// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/Attraction.h"

#include "core/ProgramState.h"
#include "ghosts/AttractionOptionsStore.h"
#include "ghosts/Ghosts.h"

Attraction::Attraction(ProgramState& state, const PlatformServices& platform, Ghosts& ghosts,
                       DoorOpener openDoor)
    : m_state(state)
    , m_store(platform.store)
    , m_messages(platform.messages)
    , m_ghosts(ghosts)
    , m_openDoor(std::move(openDoor))
    , m_scheduler(state, requireService(platform.random, "The attraction", "random"), actions()) {
    Timer_Ghost.setObjectName(QStringLiteral("Timer_Ghost"));
    Timer_Ghost.setInterval(1000);
    connect(&Timer_Ghost, &QTimer::timeout, this, &Attraction::Timer_GhostTimer);
    m_scheduler.setOptions(&m_options);
    m_state.AttractionRunning = false;
}

Attraction::~Attraction() {
    if (m_loaded)
        saveSettings();
}

AttractionScheduler::Actions Attraction::actions() {
    AttractionScheduler::Actions actions;
    actions.enableGhostTimer = [this](bool on) {
        if (!on)
            Timer_Ghost.stop();
        else if (!Timer_Ghost.isActive())
            Timer_Ghost.start();
    };
    actions.showState = [this](bool running) {
        emit runningChanged(running);
    };
    actions.ghostAct = [this] {
        m_ghosts.GhostAct({ActTrigger::Source::Scheduler});
    };
    actions.finalSound = [this] {
        playFinalSound();
    };
    actions.openDoor = [this] {
        openDoor();
    };
    return actions;
}

void Attraction::playFinalSound() {
    if (GhostSoundOutput* sound = m_ghosts.sound())
        AttractionScheduler::PlayFinalSound(m_ghosts.currentAct(), *sound);
}

void Attraction::openDoor() {
    if (m_openDoor)
        m_openDoor();
}

bool Attraction::running() const {
    return m_state.AttractionRunning;
}

void Attraction::toggle() {
    m_scheduler.Sb_Attraction_ShowClick();
}

void Attraction::loadSettings() {
    m_options = AttractionOptionsStore(m_store, m_messages).load();
    m_loaded = true;
}

void Attraction::saveSettings() {
    m_loaded = false;
    AttractionOptionsStore(m_store, m_messages).save(m_options);
}

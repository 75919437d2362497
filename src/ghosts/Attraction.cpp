// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/Attraction.h"

#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "ghosts/Ghosts.h"

namespace {

const QString TimeName = QStringLiteral("Attraction_Time");
const QString Over1Name = QStringLiteral("Attraction_Over_1");
const QString Over2Name = QStringLiteral("Attraction_Over_2");
const QString AutostartName = QStringLiteral("Attraction_Autostart");

} // namespace

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
        if (GhostSoundOutput* sound = m_ghosts.sound())
            AttractionScheduler::PlayFinalSound(m_ghosts.currentAct(), *sound);
    };
    actions.openDoor = [this] {
        if (m_openDoor)
            m_openDoor();
    };
    return actions;
}

bool Attraction::running() const {
    return m_state.AttractionRunning;
}

void Attraction::toggle() {
    m_scheduler.Sb_Attraction_ShowClick();
}

void Attraction::loadSettings() {
    const auto key = m_store ? m_store->openKey(ProgramKey, true) : nullptr;
    const StoreReader read(key.get(), m_messages);
    m_options.Attraction_Time = read.integer(TimeName, 3);
    m_options.Attraction_Over_1 = read.boolean(Over1Name, false);
    m_options.Attraction_Over_2 = read.boolean(Over2Name, false);
    m_options.Attraction_Autostart = read.boolean(AutostartName, false);
    m_loaded = true;
}

void Attraction::saveSettings() {
    m_loaded = false;
    const auto key = m_store ? m_store->openKey(ProgramKey, true) : nullptr;
    if (!key)
        return;
    StoreWriter write(key.get(), m_messages);
    write.integer(TimeName, m_options.Attraction_Time);
    write.boolean(Over1Name, m_options.Attraction_Over_1);
    write.boolean(Over2Name, m_options.Attraction_Over_2);
    write.boolean(AutostartName, m_options.Attraction_Autostart);
    write.close();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramServices.h"

#include "core/SettingsStore.h"
#include "core/StoreAccess.h"

ProgramServices::ProgramServices(ProgramState& state, const PlatformServices& platform)
    : firstRun(platform.store, platform.messages)
    , ghosts(state, platform, nullptr)
    , attraction(state, platform, ghosts, [this] { return m_door && m_door(); })
    , control(state, attraction, ghosts, [this] { return m_door && m_door(); }) {
    // From the first start on the program key exists, whatever else fails.
    if (platform.store)
        platform.store->openKey(ProgramKey, true);
    firstRun.loadSettings();
    ghosts.loadSettings();
    attraction.loadSettings();
}

ProgramServices::~ProgramServices() {
    attraction.saveSettings();
    ghosts.saveSettings();
    firstRun.saveSettings();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/Daemon.h"

#include "core/DaemonLanguage.h"
#include "core/LogCategories.h"
#include "core/ProgramState.h"

ProgramState& Daemon::withStoredLanguage(ProgramState& state, const PlatformServices& platform) {
    state.InterfaceLanguage = DaemonLanguage::load(platform.store, platform.messages);
    return state;
}

Daemon::Daemon(ProgramState& state, const PlatformServices& platform)
    : m_services(withStoredLanguage(state, platform), platform) {}

void Daemon::start(bool startAttraction) {
    m_services.startWhatIsWanted();
    // Asked for once, on this start only.
    if (startAttraction)
        m_services.control.startAttraction();
    if (m_services.webAccess.isRunning())
        qCInfo(lcWeb).noquote() << "phone page on port" << m_services.webAccess.settings().Port;
    if (m_services.netServer.socketOpen())
        qCInfo(lcNet).noquote() << "network server listening";
    qCInfo(lcGhosts) << (m_services.attraction.running() ? "the attraction is running"
                                                         : "the attraction is stopped");
}

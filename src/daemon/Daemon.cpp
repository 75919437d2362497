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
    m_services.webAccess.autorunIfWanted();
    m_services.netServer.autoconnectIfWanted();
    if (m_services.webAccess.isRunning())
        qCInfo(lcWeb).noquote() << "phone page on port" << m_services.webAccess.settings().Port;
    if (m_services.netServer.socketOpen())
        qCInfo(lcNet).noquote() << "network server listening";
    if (startAttraction || m_services.attraction.options().Attraction_Autostart) {
        if (m_services.control.startAttraction() == ProgramControl::Outcome::Done)
            qCInfo(lcGhosts) << "the attraction is running";
        else
            qCWarning(lcGhosts) << "the attraction could not start";
    }
}

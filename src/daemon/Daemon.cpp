// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/Daemon.h"

#include "core/LogCategories.h"
#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"

const QString Daemon::LanguageName = QStringLiteral("Daemon_Language");

ProgramState& Daemon::withStoredLanguage(ProgramState& state, const PlatformServices& platform) {
    const auto key = platform.store ? platform.store->openKey(ProgramKey, true) : nullptr;
    const qint32 stored = StoreReader(key.get(), platform.messages).integer(LanguageName, 0);
    state.InterfaceLanguage = stored == 1 ? Language::Russian : Language::English;
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

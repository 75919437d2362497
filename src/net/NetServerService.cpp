// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetServerService.h"

#include "core/IntegerText.h"
#include "core/LogCategories.h"
#include "core/PortNumber.h"

NetServerService::NetServerService(const PlatformServices& platform, ProgramControl& control,
                                   std::function<void()> beep, const NetLimits& limits)
    : m_platform(platform)
    , m_portText(QString::number(m_settings.ServerSocket))
    , m_clients(platform.store, platform.messages)
    , m_server(m_clients, requireService(platform.clock, "The network server", "clock"),
               std::move(beep), limits) {
    m_server.protocol().setProgramControl(&control);
    connect(&m_server, &NetServer::loggedClientsChanged, this,
            &NetServerService::loggedClientsChanged);
    connect(&m_server, &NetServer::clientActionLogChanged, this,
            &NetServerService::clientActionLogChanged);
}

NetServerService::~NetServerService() {
    if (m_loaded)
        SaveServerSettings();
}

void NetServerService::saveSettings() {
    SaveServerSettings();
    m_loaded = false;
}

void NetServerService::SaveServerSettings() const {
    ServerSettingsStore(m_platform.store, m_platform.messages).save(m_settings, m_portText);
}

void NetServerService::loadSettings() {
    m_clients.load();
    m_settings = ServerSettingsStore(m_platform.store, m_platform.messages).load();
    m_portText = QString::number(m_settings.ServerSocket);
    m_loaded = true;
}

void NetServerService::setOption(bool ServerSettings::*option, bool on) {
    m_settings.*option = on;
}

quint16 NetServerService::listeningPort() const {
    return m_server.isListening() ? m_server.port() : 0;
}

void NetServerService::OpenServerSocket() {
    const qint32 port = m_settings.ServerSocket;
    if (!isPortNumber(port) || !m_server.listen(static_cast<quint16>(port)))
        qCInfo(lcNet) << "the socket did not open on port" << port;
    // Every opening empties the log, also one that failed.
    m_server.protocol().clearClientActionLog();
    emit socketOpenChanged(m_server.isListening());
}

void NetServerService::close() {
    m_server.stop();
    CloseAllClients();
    emit socketOpenChanged(false);
}

QString NetServerService::reconnect() {
    m_server.stop();
    CloseAllClients();
    const QString text = m_portText;
    const std::optional<qint32> port = integerFromText(text);
    if (!port) {
        emit socketOpenChanged(false);
        return notAnIntegerMessage(text);
    }
    m_settings.ServerSocket = *port;
    OpenServerSocket();
    return {};
}

void NetServerService::autoconnectIfWanted() {
    if (!m_settings.AutoSocket || socketOpen())
        return;
    const QString refused = reconnect();
    if (!refused.isEmpty())
        qCWarning(lcNet) << "autoconnect:" << refused;
}

void NetServerService::CloseAllClients() {
    if (!m_server.loggedClients().isEmpty())
        m_server.closeAllClients();
}

void NetServerService::CloseMarkedClients(const QStringList& names) {
    if (!m_server.loggedClients().isEmpty())
        m_server.closeMarkedClients(names);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebAccessService.h"

#include "core/IntegerText.h"
#include "core/LogCategories.h"
#include "core/PortNumber.h"
#include "core/ProgramState.h"
#include "web/WebServerControl.h"

WebAccessService::WebAccessService(ProgramState& state, SettingsStore* store,
                                   ProgramControl& control,
                                   std::unique_ptr<WebServerControl> server, GhostPictures pictures)
    : m_state(state)
    , m_store(store)
    , m_page([this] { return m_settings; }, control, std::move(pictures))
    , m_server(std::move(server)) {
    m_server->setPageHandler(&m_page);
    m_state.WebServerRunning = false;
}

WebAccessService::~WebAccessService() {
    if (m_loaded)
        saveSettings();
    if (!m_running)
        return;
    const QString failure = m_server->stop();
    if (!failure.isEmpty())
        qCWarning(lcWeb) << "stopping the web server at the end:" << failure;
    m_running = false;
    m_state.WebServerRunning = false;
}

void WebAccessService::loadSettings() {
    WebAccessStore(m_store).load(m_settings);
    m_loaded = true;
}

void WebAccessService::saveSettings() {
    WebAccessStore(m_store).save(m_settings);
    m_loaded = false;
}

QString WebAccessService::start() {
    const QString text = m_settings.Port;
    if (QString refusal = portTextRefusal(text); !refusal.isEmpty())
        return refusal;
    const QString failure = m_server->start(static_cast<quint16>(*integerFromText(text)));
    if (!failure.isEmpty())
        return failure;
    m_running = true;
    m_state.WebServerRunning = true;
    emit runningChanged(true);
    return {};
}

QString WebAccessService::stop() {
    // Everything that shows the state says stopped before the wait for the connections.
    m_running = false;
    m_state.WebServerRunning = false;
    emit runningChanged(false);
    return m_server->stop();
}

void WebAccessService::autorunIfWanted() {
    if (!m_settings.Web_Autoconnect || m_running)
        return;
    const QString failure = start();
    if (!failure.isEmpty())
        qCWarning(lcWeb) << "autorun of the web server:" << failure;
}

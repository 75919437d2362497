// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FaultWatch.h"
#include "core/PlatformServices.h"
#include "core/ProgramFault.h"
#include "net/NetClients.h"
#include "net/NetServer.h"
#include "net/ServerSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ProgramControl;

// The network server: its settings under "SoftWare\Server\", the registered clients, the
// listening socket and its connections, with or without a window to show them. The socket
// opens only when asked (the start, reconnect or autoconnect), never by loading. Clients'
// permitted commands drive `control`. Lives on the UI thread, as the socket's events do.
class NetServerService : public QObject {
    Q_OBJECT
public:
    // Needs the platform's store, message boxes and clock; `beep` sounds when a client leaves.
    // `control` must outlive the service.
    NetServerService(const PlatformServices& platform, ProgramControl& control,
                     std::function<void()> beep, const NetLimits& limits = {});
    // Saves the settings if they were loaded; the socket closes with the service.
    ~NetServerService() override;

    // The registered clients, then the server's own values (a missing port is written at once);
    // a value of the wrong type is reported through the message boxes.
    void loadSettings();
    // Writes the settings now; the end then writes nothing more.
    void saveSettings();

    const ServerSettings& settings() const { return m_settings; }
    // For the option boxes: autoconnect, journal, warning.
    void setOption(bool ServerSettings::*option, bool on);
    // The Port field's text: what reconnect uses and what is saved, typed but not applied.
    const QString& portText() const { return m_portText; }
    void setPortText(const QString& text) { m_portText = text; }

    bool socketOpen() const { return m_server.isListening(); }
    // The port the socket listens on; 0 while it is closed.
    quint16 listeningPort() const;
    // Why the last opening failed, until the socket opens or is closed on purpose.
    std::optional<ProgramFault> fault() const;
    // Closes the socket and every connection at once, without the leave's lists.
    void close();
    // Closes, then opens on the port text. Empty, or the message for a port text that is no
    // integer (the socket then stays closed); a port that cannot be opened is only logged.
    QString reconnect();
    // With the autoconnect option ticked, reconnects as the button would; a failure is only
    // logged, as no one has asked for anything yet.
    void autoconnectIfWanted();

    // The logged-in clients' names; closing them does nothing while none is logged in.
    QStringList currentClients() const { return m_server.loggedClients(); }
    void CloseAllClients();
    // Closes the connections of the clients named (letter case ignored).
    void CloseMarkedClients(const QStringList& names);
    QStringList clientActionLog() const { return m_server.clientActionLog(); }

    NetClients& clients() { return m_clients; }
    const NetClients& clients() const { return m_clients; }
    // Closes the client's connections, removes it from the list and saves the list.
    void deleteClient(int index) { m_server.deleteClient(index); }

signals:
    // After every open, close and failed reopening.
    void socketOpenChanged(bool open);
    void loggedClientsChanged(const QStringList& names);
    void clientActionLogChanged(const QStringList& lines);

private:
    void OpenServerSocket();
    void SaveServerSettings() const;

    PlatformServices m_platform;
    ServerSettings m_settings;
    QString m_portText;
    bool m_loaded = false;
    FaultWatch m_fault;
    qint32 m_faultPort = 0;
    NetClients m_clients;
    // After the list whose records its connections hold, so it goes first.
    NetServer m_server;
};

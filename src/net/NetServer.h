// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/NetProtocol.h"
#include "net/NetTransport.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTcpServer>

#include <functional>

class Clock;
class NetClients;
class QTcpSocket;

// The listening socket of the network server and its accepted connections, event-driven on the
// UI thread; the protocol spoken on them is NetProtocol's.
class NetServer : public QObject, private NetTransport {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 25963;
    // How often a held login looks at the clock again.
    static constexpr qint64 HoldRecheckMs = 100;

    NetServer(NetClients& clients, const Clock& clock, std::function<void()> beep,
              const NetLimits& limits = {}, QObject* parent = nullptr);
    ~NetServer() override;

    // Listens on every local IPv4 address; opening empties the client-action log. False when
    // the port cannot be opened (errorString() says why); the server then stays closed.
    bool listen(quint16 port);
    // Closes the listening socket and every connection, without beeps or lists.
    void stop();
    bool isListening() const { return m_listener.isListening(); }
    quint16 port() const { return m_listener.serverPort(); }
    QString errorString() const { return m_listener.errorString(); }

    QStringList loggedClients() const { return m_protocol.loggedClients(); }
    void closeMarkedClients(const QStringList& names) { m_protocol.closeMarkedClients(names); }
    void closeAllClients() { m_protocol.closeAllClients(); }
    void RefreshLoggedClients() { m_protocol.RefreshLoggedClients(); }
    // Closes the client's connections, removes it from the list and saves the list.
    void deleteClient(int index) { m_protocol.deleteClient(index); }
    QStringList clientActionLog() const { return m_protocol.clientActionLog().lines(); }
    int connectionCount() const { return static_cast<int>(m_sockets.size()); }

    NetProtocol& protocol() { return m_protocol; }

signals:
    void loggedClientsChanged(const QStringList& names);
    void clientActionLogChanged(const QStringList& lines);

private:
    void send(NetConnectionId id, const QByteArray& message) override;
    void close(NetConnectionId id) override;
    void resumeLater(NetConnectionId id, qint64 afterMs) override;
    void accept();
    // Why a new connection from `address` is not taken, or null when it is.
    const char* refusal(const QString& address) const;
    void readFrom(NetConnectionId id);
    qint64 totalUnsent() const;
    NetConnectionId longestQueue() const;
    // Closes a connection from inside a send; the protocol hears of it at the next turn.
    void cutOff(NetConnectionId id, const char* why);

    const Clock& m_clock;
    NetLimits m_limits;
    PacedWarnings m_acceptWarnings;
    QTcpServer m_listener;
    NetProtocol m_protocol;
    QHash<NetConnectionId, QTcpSocket*> m_sockets;
    QSet<NetConnectionId> m_resuming;
    NetConnectionId m_nextId = 1;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/NetProtocol.h"
#include "net/NetTransport.h"

#include <QHash>
#include <QObject>
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
    // A peer that does not read its messages is cut off before its queue grows past this.
    static constexpr qint64 MaxUnsentBytes = 1024 * 1024;
    static constexpr quint16 DefaultPort = 25963;

    NetServer(NetClients& clients, const Clock& clock, std::function<void()> beep,
              QObject* parent = nullptr);
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
    void accept();
    void dropOverfull(NetConnectionId id);

    QTcpServer m_listener;
    NetProtocol m_protocol;
    QHash<NetConnectionId, QTcpSocket*> m_sockets;
    NetConnectionId m_nextId = 1;
};

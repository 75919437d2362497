// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetServer.h"

#include "core/LogCategories.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace {

// Enough for one longest line and its line feed; the socket stops reading from the network
// while this much waits, so a fast sender cannot fill our memory.
constexpr qint64 ReadBufferBytes = NetProtocol::MaxLineBytes + 1;

} // namespace

NetServer::NetServer(NetClients& clients, const Clock& clock, std::function<void()> beep,
                     QObject* parent)
    : QObject(parent)
    , m_protocol(clients, *this, clock, std::move(beep)) {
    connect(&m_listener, &QTcpServer::newConnection, this, &NetServer::accept);
    connect(&m_protocol, &NetProtocol::loggedClientsChanged, this,
            &NetServer::loggedClientsChanged);
    connect(&m_protocol, &NetProtocol::clientActionLogChanged, this,
            &NetServer::clientActionLogChanged);
}

NetServer::~NetServer() {
    // The protocol must not reach back into a half-destroyed transport.
    m_protocol.disconnect(this);
    stop();
}

bool NetServer::listen(quint16 port) {
    stop();
    const bool listening = m_listener.listen(QHostAddress::AnyIPv4, port);
    if (!listening)
        qCWarning(lcNet) << "cannot listen on port" << port << ":" << m_listener.errorString();
    m_protocol.clearClientActionLog();
    return listening;
}

void NetServer::stop() {
    m_listener.close();
    // QTcpServer::close() leaves accepted connections open.
    m_protocol.closeAll();
}

void NetServer::accept() {
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        const NetConnectionId id = m_nextId++;
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        socket->setReadBufferSize(ReadBufferBytes);
        m_sockets.insert(id, socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, id, socket] {
            // Several reads per event so a full read buffer does not stall until the next one.
            while (m_sockets.contains(id) && socket->bytesAvailable() > 0)
                m_protocol.dataReceived(id, socket->read(ReadBufferBytes));
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, id] {
            // A peer that closes its side is an ordinary disconnect.
            if (QTcpSocket* gone = m_sockets.take(id))
                gone->deleteLater();
            m_protocol.connectionClosed(id);
        });
        connect(socket, &QTcpSocket::errorOccurred, this,
                [this, id](QAbstractSocket::SocketError error) {
                    if (error != QAbstractSocket::RemoteHostClosedError)
                        qCDebug(lcNet) << "connection" << id << "failed:" << error;
                    m_protocol.closeConnection(id);
                });
        m_protocol.connectionOpened(id,
                                    QHostAddress(socket->peerAddress().toIPv4Address()).toString());
    }
}

void NetServer::send(NetConnectionId id, const QByteArray& message) {
    QTcpSocket* socket = m_sockets.value(id);
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    socket->write(message);
    if (socket->bytesToWrite() > MaxUnsentBytes)
        dropOverfull(id);
}

void NetServer::dropOverfull(NetConnectionId id) {
    qCWarning(lcNet) << "connection" << id << "does not read its messages; closing it";
    // Silenced and cut now, so nothing more is queued for it; the protocol hears of it once its
    // present work is done, since that work may be walking the connections.
    QTcpSocket* socket = m_sockets.value(id);
    socket->disconnect(this);
    socket->abort();
    QTimer::singleShot(0, this, [this, id] { m_protocol.closeConnection(id); });
}

void NetServer::close(NetConnectionId id) {
    QTcpSocket* socket = m_sockets.take(id);
    if (!socket)
        return;
    socket->disconnect(this);
    // abort(), not a graceful close: lists sent right after must no longer name it.
    socket->abort();
    socket->deleteLater();
}

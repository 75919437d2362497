// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetServer.h"

#include "core/Clock.h"
#include "core/LogCategories.h"

#include <QHostAddress>
#include <QSignalBlocker>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace {

// Enough for one longest line and its line feed; the socket stops reading from the network
// while this much waits, so a fast sender cannot fill our memory.
constexpr qint64 ReadBufferBytes = NetProtocol::MaxLineBytes + 1;
// A queue this long belongs to a peer that reads slowly or not at all: only then are the limits
// on queues worth their arithmetic.
constexpr qint64 SlowQueueBytes = 64 * 1024;

} // namespace

NetServer::NetServer(NetClients& clients, const Clock& clock, std::function<void()> beep,
                     const NetLimits& limits, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_limits(limits)
    , m_acceptWarnings(limits.warningIntervalMs, 1)
    , m_protocol(clients, *this, clock, std::move(beep), limits) {
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
    // The service logs it as its fault, once however often it is tried.
    if (!listening)
        qCDebug(lcNet) << "cannot listen on port" << port << ":" << m_listener.errorString();
    m_protocol.clearClientActionLog();
    return listening;
}

void NetServer::stop() {
    m_listener.close();
    // QTcpServer::close() leaves accepted connections open.
    m_protocol.closeAll();
}

const char* NetServer::refusal(const QString& address) const {
    if (m_sockets.size() >= m_limits.maxConnections)
        return "too many connections";
    const auto& open = m_protocol.connections();
    const auto fromAddress = std::count_if(
        open.begin(), open.end(), [&](const auto& c) { return c.remoteAddress == address; });
    return fromAddress >= m_limits.maxConnectionsPerAddress ? "too many connections from it"
                                                            : nullptr;
}

void NetServer::accept() {
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        const QString address = QHostAddress(socket->peerAddress().toIPv4Address()).toString();
        if (const char* why = refusal(address)) {
            if (const auto note = m_acceptWarnings.admit(QString(), m_clock.now()))
                qCWarning(lcNet).nospace() << "refused a connection from " << address << ": " << why
                                           << qUtf8Printable(*note);
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const NetConnectionId id = m_nextId++;
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        socket->setReadBufferSize(ReadBufferBytes);
        m_sockets.insert(id, socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { readFrom(id); });
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
        m_protocol.connectionOpened(id, address);
    }
}

void NetServer::readFrom(NetConnectionId id) {
    // Only as much as the protocol is ready for: the rest waits in the socket's bounded buffer
    // and, past it, in the peer's.
    while (QTcpSocket* socket = m_sockets.value(id)) {
        if (socket->bytesAvailable() <= 0 || !m_protocol.wantsInput(id))
            return;
        m_protocol.dataReceived(id, socket->read(ReadBufferBytes));
    }
}

void NetServer::resumeLater(NetConnectionId id, qint64 afterMs) {
    if (m_resuming.contains(id))
        return;
    m_resuming.insert(id);
    // A held login asks again after each recheck, so a clock set by hand is followed too.
    QTimer::singleShot(std::min(afterMs, HoldRecheckMs), this, [this, id] {
        m_resuming.remove(id);
        m_protocol.resume(id);
        readFrom(id);
    });
}

void NetServer::send(NetConnectionId id, const QByteArray& message) {
    QTcpSocket* socket = m_sockets.value(id);
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    socket->write(message);
    if (socket->bytesToWrite() <= SlowQueueBytes)
        return;
    // Judged after the socket has handed the peer what it takes now, not on what this turn of
    // the event loop queued before anything could be written.
    {
        // A write that fails is reported at once; the protocol must hear of it only after its
        // present work, which may be walking the connections.
        const QSignalBlocker quiet(socket);
        socket->flush();
    }
    if (socket->state() != QAbstractSocket::ConnectedState)
        cutOff(id, "failed while writing");
    else if (socket->bytesToWrite() > m_limits.maxUnsentBytes)
        cutOff(id, "does not read its messages");
    else if (totalUnsent() > m_limits.maxTotalUnsentBytes)
        cutOff(longestQueue(), "has the longest queue of too many unsent bytes");
}

qint64 NetServer::totalUnsent() const {
    qint64 total = 0;
    for (const QTcpSocket* socket : m_sockets)
        total += socket->bytesToWrite();
    return total;
}

NetConnectionId NetServer::longestQueue() const {
    const auto longest = std::max_element(
        m_sockets.keyValueBegin(), m_sockets.keyValueEnd(), [](const auto& a, const auto& b) {
            return a.second->bytesToWrite() < b.second->bytesToWrite();
        });
    return longest->first;
}

void NetServer::cutOff(NetConnectionId id, const char* why) {
    qCWarning(lcNet).nospace() << "connection " << id << " " << why << "; closing it";
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
    // What was said last (a refused login's answer) goes out before the connection ends...
    socket->flush();
    // ...but abort(), not a graceful close: lists sent right after must no longer name it.
    socket->abort();
    socket->deleteLater();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/HttpRequestReader.h"
#include "web/server/PageRoute.h"
#include "web/server/UniqueFd.h"
#include "web/server/WebServerLimits.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>

// One accepted client: reads its request, sends the reply if the request earns one, and ends.
// The request line and headers have a short deadline of their own, the whole request a longer
// one. A request for the management page waits for the page's owner to answer it; the whole
// request's deadline bounds that wait like any other.
// A plain POSIX socket rather than a QTcpSocket, because a client that shuts down its sending
// side to end a POST body must still receive the reply, and Qt closes the socket on that
// shutdown.
class HttpConnection : public QObject {
    Q_OBJECT
public:
    // `peerAddress`: the client's IPv4 address in host byte order. `route` may be null: then
    // every request gets the empty reply.
    HttpConnection(UniqueFd socket, quint32 peerAddress, const WebServerLimits& limits,
                   std::shared_ptr<PageRoute> route = {}, QObject* parent = nullptr);
    ~HttpConnection() override;

    quint32 peerAddress() const { return m_peerAddress; }

signals:
    // Emitted once, when the socket has been closed; the owner then deletes the connection.
    void ended(HttpConnection* connection);

private:
    void readAvailable();
    void act(HttpRequestReader::Verdict verdict);
    void askPage();
    void sendReply();
    void end();

    UniqueFd m_socket;
    quint32 m_peerAddress;
    HttpRequestReader m_reader;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    QTimer m_headerDeadline;
    QTimer m_deadline;
    std::shared_ptr<PageRoute> m_route;
    std::shared_ptr<PendingPageReply> m_pageReply;
    QByteArray m_reply;
    qsizetype m_replySent = 0;
};

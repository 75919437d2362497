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
// A request for the management page waits for the page's owner to answer it; the deadline
// bounds that wait like any other.
// A plain POSIX socket rather than a QTcpSocket, because a client that shuts down its sending
// side to end a POST body must still receive the reply, and Qt closes the socket on that
// shutdown.
class HttpConnection : public QObject {
    Q_OBJECT
public:
    // `route` may be null: then every request gets the empty reply.
    HttpConnection(UniqueFd socket, const WebServerLimits& limits,
                   std::shared_ptr<PageRoute> route = {}, QObject* parent = nullptr);
    ~HttpConnection() override;

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
    HttpRequestReader m_reader;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    QTimer m_deadline;
    std::shared_ptr<PageRoute> m_route;
    std::shared_ptr<PendingPageReply> m_pageReply;
    QByteArray m_reply;
    qsizetype m_replySent = 0;
};

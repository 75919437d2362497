#pragma once

#include "web/server/HttpRequestReader.h"
#include "web/server/UniqueFd.h"
#include "web/server/WebServerLimits.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

// One accepted client: reads its request, sends the reply if the request earns one, and ends.
// A plain POSIX socket rather than a QTcpSocket, because a client that shuts down its sending
// side to end a POST body must still receive the reply, and Qt closes the socket on that
// shutdown.
class HttpConnection : public QObject {
    Q_OBJECT
public:
    HttpConnection(UniqueFd socket, const WebServerLimits& limits, QObject* parent = nullptr);
    ~HttpConnection() override;

signals:
    // Emitted once, when the socket has been closed; the owner then deletes the connection.
    void ended(HttpConnection* connection);

private:
    void readAvailable();
    void act(HttpRequestReader::Verdict verdict);
    void sendReply();
    void end();

    UniqueFd m_socket;
    HttpRequestReader m_reader;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    QTimer m_deadline;
    qsizetype m_replySent = 0;
};

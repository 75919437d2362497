// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/UniqueFd.h"
#include "web/server/WebServerLimits.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>

class HttpConnection;
class PageRoute;

// Accepts clients on the listening socket and keeps their connections, all on the thread that
// created it. While the cap of open connections is reached it stops accepting, so the next
// clients wait in the listen backlog rather than in our memory. A client address that already
// holds its share of the connections has each further one closed at accept.
class HttpListener : public QObject {
    Q_OBJECT
public:
    using OpenConnectionsReport = std::function<void(int open)>;

    HttpListener(UniqueFd listening, const WebServerLimits& limits,
                 OpenConnectionsReport reportOpenConnections,
                 std::shared_ptr<PageRoute> pageRoute = {});
    // Closes every open connection, then the listening socket.
    ~HttpListener() override;

private:
    void acceptPending();
    // Takes the accepted socket as a connection, or closes it when its address is over its share.
    void admit(int fd, quint32 peerAddress);
    void connectionEnded(HttpConnection* connection);
    void updateAccepting();
    void reportRefusals();

    UniqueFd m_listening;
    WebServerLimits m_limits;
    OpenConnectionsReport m_reportOpenConnections;
    std::shared_ptr<PageRoute> m_pageRoute;
    QSocketNotifier m_acceptable;
    // Set after accept failed for want of descriptors or memory: a level-triggered notifier
    // would otherwise wake us again at once, forever.
    QTimer m_acceptBackOff;
    std::unordered_set<HttpConnection*> m_connections;
    // Open connections per client address; an address leaves when its last connection ends.
    std::unordered_map<quint32, int> m_openPerAddress;
    // Refusals since the last warning, which is written at most once a minute.
    int m_refusedUnreported = 0;
    QDeadlineTimer m_nextRefusalWarning{0};
};

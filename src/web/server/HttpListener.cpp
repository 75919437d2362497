// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/HttpListener.h"

#include "core/LogCategories.h"
#include "web/server/HttpConnection.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

constexpr std::chrono::milliseconds AcceptBackOff{100};
// A host hammering the server would otherwise write a line for every connection it tries.
constexpr std::chrono::minutes RefusalWarningInterval{1};

// Errors of the one connection being accepted, not of the listening socket: accept(2) asks to
// retry at once.
bool isConnectionError(int error) {
    switch (error) {
    case EINTR:
    case ECONNABORTED:
    case EPROTO:
    case ENETDOWN:
    case ENOPROTOOPT:
    case EHOSTDOWN:
    case ENONET:
    case EHOSTUNREACH:
    case EOPNOTSUPP:
    case ENETUNREACH:
        return true;
    default:
        return false;
    }
}

} // namespace

HttpListener::HttpListener(UniqueFd listening, const WebServerLimits& limits,
                           OpenConnectionsReport reportOpenConnections,
                           std::shared_ptr<PageRoute> pageRoute)
    : m_listening(std::move(listening))
    , m_limits(limits)
    , m_reportOpenConnections(std::move(reportOpenConnections))
    , m_pageRoute(std::move(pageRoute))
    , m_acceptable(m_listening.get(), QSocketNotifier::Read) {
    connect(&m_acceptable, &QSocketNotifier::activated, this, &HttpListener::acceptPending);
    m_acceptBackOff.setSingleShot(true);
    m_acceptBackOff.setInterval(AcceptBackOff);
    connect(&m_acceptBackOff, &QTimer::timeout, this, [this] {
        updateAccepting();
        acceptPending();
    });
}

HttpListener::~HttpListener() {
    for (HttpConnection* connection : m_connections)
        delete connection;
    m_acceptable.setEnabled(false);
}

void HttpListener::acceptPending() {
    // Bounded even if accept keeps failing for connections that vanish before we take them.
    int attempts = m_limits.maxOpenConnections + 16;
    while (int(m_connections.size()) < m_limits.maxOpenConnections && attempts-- > 0) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        const int fd = ::accept4(m_listening.get(), reinterpret_cast<sockaddr*>(&peer), &length,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            admit(fd, peer.sin_family == AF_INET ? ntohl(peer.sin_addr.s_addr) : 0);
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            break;
        if (isConnectionError(errno))
            continue;
        qCWarning(lcWeb) << "accept failed, pausing:" << qt_error_string(errno);
        m_acceptBackOff.start();
        break;
    }
    updateAccepting();
    reportRefusals();
}

void HttpListener::admit(int fd, quint32 peerAddress) {
    int& open = m_openPerAddress[peerAddress];
    if (open >= m_limits.maxConnectionsPerAddress) {
        // Closed unread: the client sees its connection end with no reply, as for any refusal.
        UniqueFd refused(fd);
        ++m_refusedUnreported;
        return;
    }
    ++open;
    auto* connection = new HttpConnection(UniqueFd(fd), peerAddress, m_limits, m_pageRoute, this);
    connect(connection, &HttpConnection::ended, this, &HttpListener::connectionEnded);
    m_connections.insert(connection);
    m_reportOpenConnections(int(m_connections.size()));
}

void HttpListener::connectionEnded(HttpConnection* connection) {
    m_connections.erase(connection);
    if (const auto found = m_openPerAddress.find(connection->peerAddress());
        found != m_openPerAddress.end() && --found->second <= 0)
        m_openPerAddress.erase(found);
    // It is still inside its own handler.
    connection->deleteLater();
    m_reportOpenConnections(int(m_connections.size()));
    updateAccepting();
}

void HttpListener::reportRefusals() {
    if (m_refusedUnreported == 0 || !m_nextRefusalWarning.hasExpired())
        return;
    qCWarning(lcWeb) << "refused" << m_refusedUnreported
                     << "connections from addresses that already held"
                     << m_limits.maxConnectionsPerAddress;
    m_refusedUnreported = 0;
    m_nextRefusalWarning.setRemainingTime(RefusalWarningInterval);
}

void HttpListener::updateAccepting() {
    m_acceptable.setEnabled(int(m_connections.size()) < m_limits.maxOpenConnections &&
                            !m_acceptBackOff.isActive());
}

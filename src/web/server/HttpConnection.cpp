// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/HttpConnection.h"

#include "core/LogCategories.h"
#include "web/server/HttpReply.h"

#include <cerrno>
#include <sys/socket.h>

namespace {

// Reads per wake-up of one connection, so a client sending a large body cannot keep the
// thread from the other connections.
constexpr int ReadsPerWakeUp = 4;
constexpr qsizetype ReadChunk = 16384;

} // namespace

HttpConnection::HttpConnection(UniqueFd socket, quint32 peerAddress, const WebServerLimits& limits,
                               std::shared_ptr<PageRoute> route, QObject* parent)
    : QObject(parent)
    , m_socket(std::move(socket))
    , m_peerAddress(peerAddress)
    , m_reader(limits.request)
    , m_readable(m_socket.get(), QSocketNotifier::Read)
    , m_writable(m_socket.get(), QSocketNotifier::Write)
    , m_route(std::move(route))
    , m_reply(HttpEmptySuccessReply.toByteArray()) {
    m_writable.setEnabled(false);
    connect(&m_readable, &QSocketNotifier::activated, this, &HttpConnection::readAvailable);
    connect(&m_writable, &QSocketNotifier::activated, this, &HttpConnection::sendReply);
    const auto startDeadline = [this](QTimer& timer, std::chrono::milliseconds after,
                                      const char* what) {
        timer.setSingleShot(true);
        // A coarse timer may fire 5% early, cutting off a client that kept to the deadline.
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, this, [this, what] {
            qCDebug(lcWeb) << "connection closed at its deadline for" << what;
            end();
        });
        timer.start(after);
    };
    startDeadline(m_headerDeadline, limits.headerDeadline, "the headers");
    startDeadline(m_deadline, limits.requestDeadline, "the request");
}

HttpConnection::~HttpConnection() {
    if (m_pageReply)
        m_pageReply->withdraw();
    // The notifiers must let go of the descriptor before it is closed.
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
}

void HttpConnection::readAvailable() {
    char buffer[ReadChunk];
    for (int round = 0; round < ReadsPerWakeUp; ++round) {
        const ssize_t received = ::recv(m_socket.get(), buffer, sizeof buffer, 0);
        if (received > 0) {
            act(m_reader.feed(QByteArrayView(buffer, received)));
            if (m_reader.headersRead())
                m_headerDeadline.stop();
            if (!m_readable.isEnabled())
                return;
        } else if (received == 0) {
            act(m_reader.endOfInput());
            return;
        } else if (errno == EINTR) {
            continue;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return;
        } else {
            end();
            return;
        }
    }
}

void HttpConnection::act(HttpRequestReader::Verdict verdict) {
    switch (verdict) {
    case HttpRequestReader::Verdict::NeedMore:
    case HttpRequestReader::Verdict::ReadUntilHalfClose:
        return;
    case HttpRequestReader::Verdict::Reply:
        m_readable.setEnabled(false);
        if (m_route && m_route->isPage(m_reader.target()))
            askPage();
        else
            sendReply();
        return;
    case HttpRequestReader::Verdict::CloseWithoutReply:
        end();
        return;
    }
}

void HttpConnection::askPage() {
    PageRequest request;
    request.method = m_reader.method();
    request.authorization = m_reader.authorization();
    request.body = m_reader.body();
    request.bodyCut = m_reader.bodyCut();
    request.peerAddress = m_peerAddress;
    m_pageReply = std::make_shared<PendingPageReply>(this, [this](const QByteArray& reply) {
        if (!m_socket.isValid())
            return;
        m_reply = reply;
        sendReply();
    });
    if (!m_route->send(std::move(request), m_pageReply))
        end();
}

void HttpConnection::sendReply() {
    while (m_replySent < m_reply.size()) {
        const ssize_t sent = ::send(m_socket.get(), m_reply.constData() + m_replySent,
                                    size_t(m_reply.size() - m_replySent), MSG_NOSIGNAL);
        if (sent >= 0) {
            m_replySent += sent;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            m_writable.setEnabled(true);
            return;
        } else if (errno != EINTR) {
            end();
            return;
        }
    }
    end();
}

void HttpConnection::end() {
    if (!m_socket.isValid())
        return;
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
    m_headerDeadline.stop();
    m_deadline.stop();
    if (m_pageReply)
        m_pageReply->withdraw();
    m_socket.reset();
    emit ended(this);
}

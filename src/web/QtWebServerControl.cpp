#include "web/QtWebServerControl.h"

#include "core/LogCategories.h"

#include <QTcpSocket>

namespace {

constexpr int ListenBacklog = 15;

} // namespace

QtWebServerControl::QtWebServerControl() {
    m_server.setListenBacklogSize(ListenBacklog);
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server,
                     [this] { dropPendingConnections(); });
}

QtWebServerControl::~QtWebServerControl() {
    stop();
}

QString QtWebServerControl::start(quint16 port) {
    m_server.close();
    // IPv4 only, or peers would show as ::ffff:a.b.c.d.
    if (m_server.listen(QHostAddress::AnyIPv4, port))
        return {};
    qCWarning(lcWeb) << "cannot listen on port" << port << ":" << m_server.errorString();
    return BindFailedMessage;
}

QString QtWebServerControl::stop() {
    m_server.close();
    return {};
}

void QtWebServerControl::dropPendingConnections() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        socket->abort();
        socket->deleteLater();
    }
}

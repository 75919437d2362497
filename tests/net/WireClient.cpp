// SPDX-License-Identifier: GPL-3.0-or-later
#include "WireClient.h"

#include <QHostAddress>
#include <QTest>

WireClient::WireClient(quint16 port, const char* fromAddress) {
    m_socket.bind(QHostAddress(QString::fromLatin1(fromAddress)));
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    m_socket.waitForConnected(5000);
}

void WireClient::send(const QByteArray& bytes) {
    m_socket.write(bytes);
    m_socket.flush();
}

void WireClient::collect() {
    m_received += m_socket.readAll();
}

QByteArray WireClient::takeLines(int count, int timeoutMs) {
    auto endOfLines = [&] {
        collect();
        qsizetype at = -1;
        for (int i = 0; i < count; ++i) {
            at = m_received.indexOf('\n', at + 1);
            if (at < 0)
                return qsizetype{-1};
        }
        return at;
    };
    if (!QTest::qWaitFor([&] { return endOfLines() >= 0; }, timeoutMs))
        return {};
    const qsizetype end = endOfLines() + 1;
    const QByteArray lines = m_received.left(end);
    m_received.remove(0, end);
    return lines;
}

QByteArray WireClient::pending() {
    collect();
    return std::exchange(m_received, QByteArray());
}

bool WireClient::waitClosed(int timeoutMs) {
    return QTest::qWaitFor(
        [&] {
            collect();
            return m_socket.state() == QAbstractSocket::UnconnectedState;
        },
        timeoutMs);
}

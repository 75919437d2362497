// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QTcpSocket>

// A client of the network server on a real socket, optionally from a second local address.
// Waiting pumps the event loop, so the server in the same thread does its work meanwhile.
class WireClient {
public:
    explicit WireClient(quint16 port, const char* fromAddress = "127.0.0.1");

    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    void send(const QByteArray& bytes);
    // The next `count` lines, each with its LF; empty when they do not come in time.
    QByteArray takeLines(int count, int timeoutMs = 5000);
    // Everything that arrived and was not taken yet.
    QByteArray pending();
    bool waitClosed(int timeoutMs = 5000);
    QTcpSocket& socket() { return m_socket; }

private:
    void collect();

    QTcpSocket m_socket;
    QByteArray m_received;
};

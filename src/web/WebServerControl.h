// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class PageHandler;

// The web access window's hold on the HTTP server: start on a port, stop, and ask. Each call
// returns what the user is told, so the window never needs to know how the server fails.
class WebServerControl {
public:
    static inline const QString BindFailedMessage =
        QStringLiteral("Could not bind socket. Address and port are already in use.");
    static inline const QString StopTimeoutMessage = QStringLiteral("Terminate Thread Timeout");

    virtual ~WebServerControl() = default;

    // Listens on every local IPv4 address at `port` (also after an earlier start on another
    // port). Empty when listening; otherwise the message to show (BindFailedMessage when the
    // port cannot be bound), and the server is not listening.
    virtual QString start(quint16 port) = 0;
    // Closes the listening socket and every open connection. Empty, or StopTimeoutMessage when
    // the connections did not end within 5000 ms; the server is stopped either way.
    virtual QString stop() = 0;
    virtual bool isListening() const = 0;
    // Who answers the management page from the next start on; null: every request gets the
    // empty reply. The handler must outlive the server or be taken away first.
    virtual void setPageHandler(PageHandler* handler) = 0;
};

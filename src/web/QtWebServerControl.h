#pragma once

#include "web/WebServerControl.h"

#include <QTcpServer>

// A listening socket and nothing more: connections are taken and closed unanswered. It stands
// in until the HTTP server takes its place behind the same interface.
class QtWebServerControl : public WebServerControl {
public:
    QtWebServerControl();
    ~QtWebServerControl() override;

    QString start(quint16 port) override;
    QString stop() override;
    bool isListening() const override { return m_server.isListening(); }

private:
    void dropPendingConnections();

    QTcpServer m_server;
};

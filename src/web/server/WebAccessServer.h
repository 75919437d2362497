// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/WebServerControl.h"
#include "web/server/WebServerLimits.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class PageHandler;
class PageRoute;
class PendingPageReply;
class WebServerThread;
struct PageRequest;

// The HTTP server of the web access: listens on every local IPv4 address and answers each
// request it accepts with an empty success reply, one request per connection, except those for
// the management page, which its page handler answers. It serves from a thread of its own and
// touches no program state: page requests are queued to the owning thread, and the server's
// thread never waits for it. Start and stop from the owning thread; they return an empty string
// on success, else the message to show the user.
class WebAccessServer : public QObject, public WebServerControl {
    Q_OBJECT
public:
    explicit WebAccessServer(WebServerLimits limits = {}, QObject* parent = nullptr);
    // Stops a running server.
    ~WebAccessServer() override;

    // Listens on the port (0: one the system chooses). A running server is stopped first.
    // Fails with BindFailedMessage when the port is out of range, taken or not permitted.
    QString start(int port);
    QString start(quint16 port) override { return start(int{port}); }
    // Closes the listening socket and every open connection. StopTimeoutMessage when the
    // server's thread did not end within the stop timeout; the server counts as stopped anyway.
    QString stop() override;

    void setPageHandler(PageHandler* handler) override;

    bool isRunning() const { return m_thread != nullptr; }
    bool isListening() const override { return isRunning(); }
    // The port listened on while running, else 0.
    quint16 port() const { return m_port; }

signals:
    // Each time a connection opens or ends. Emitted on the server's thread: receivers on the
    // owner's thread get it queued.
    void openConnectionsChanged(int open);

private:
    void reapAbandonedThreads();
    void answerPage(const PageRequest& request, const std::shared_ptr<PendingPageReply>& reply);

    WebServerLimits m_limits;
    PageHandler* m_pageHandler = nullptr;
    std::shared_ptr<PageRoute> m_pageRoute;
    std::unique_ptr<WebServerThread> m_thread;
    // Threads a stop gave up on; deleted once they have finished.
    std::vector<std::unique_ptr<WebServerThread>> m_abandoned;
    quint16 m_port = 0;
};

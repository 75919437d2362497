// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/UniqueFd.h"
#include "web/server/WebServerLimits.h"

#include <QThread>

#include <memory>

class PageRoute;

// The one thread behind a running web access server: it owns the listening socket and every
// connection, and serves them all from its event loop. Quitting the loop closes them all.
class WebServerThread : public QThread {
    Q_OBJECT
public:
    WebServerThread(UniqueFd listening, const WebServerLimits& limits,
                    std::shared_ptr<PageRoute> pageRoute = {});

signals:
    // Emitted on this thread's own side (the server thread) each time a connection opens or ends.
    void openConnectionsChanged(int open);

protected:
    void run() override;

private:
    UniqueFd m_listening;
    WebServerLimits m_limits;
    std::shared_ptr<PageRoute> m_pageRoute;
};

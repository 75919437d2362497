// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/WebServerThread.h"

#include "web/server/HttpListener.h"

WebServerThread::WebServerThread(UniqueFd listening, const WebServerLimits& limits,
                                 std::shared_ptr<PageRoute> pageRoute)
    : m_listening(std::move(listening))
    , m_limits(limits)
    , m_pageRoute(std::move(pageRoute)) {
    setObjectName(QStringLiteral("web access server"));
}

void WebServerThread::run() {
    // Built and destroyed here, so its sockets and timers belong to this thread alone.
    HttpListener listener(
        std::move(m_listening), m_limits, [this](int open) { emit openConnectionsChanged(open); },
        m_pageRoute);
    exec();
}

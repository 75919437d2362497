// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/WebAccessServer.h"

#include "core/LogCategories.h"
#include "web/server/HttpReply.h"
#include "web/server/ListeningSocket.h"
#include "web/server/PageHandler.h"
#include "web/server/PageRoute.h"
#include "web/server/WebServerThread.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <utility>

WebAccessServer::WebAccessServer(WebServerLimits limits, QObject* parent)
    : QObject(parent)
    , m_limits(limits) {}

WebAccessServer::~WebAccessServer() {
    stop();
    for (std::unique_ptr<WebServerThread>& thread : m_abandoned) {
        if (!thread->wait(QDeadlineTimer(m_limits.stopTimeout))) {
            // Deleting a running thread would abort the program; letting it go costs a thread.
            qCWarning(lcWeb) << "web access thread still running at exit, left behind";
            (void)thread.release();
        }
    }
}

QString WebAccessServer::start(int port) {
    if (isRunning())
        stop();
    reapAbandonedThreads();
    UniqueFd listening = openListeningSocket(port, WebServerLimits::ListenBacklog);
    if (!listening.isValid()) {
        qCDebug(lcWeb) << "cannot listen on port" << port << ":" << qt_error_string(errno);
        return BindFailedMessage;
    }
    m_port = boundPort(listening.get());
    if (m_pageHandler)
        m_pageRoute = std::make_shared<PageRoute>(
            m_pageHandler->pageName().toUtf8(), this,
            [this](const PageRequest& request, std::shared_ptr<PendingPageReply> reply) {
                answerPage(request, reply);
            });
    m_thread = std::make_unique<WebServerThread>(std::move(listening), m_limits, m_pageRoute);
    // Direct: the re-emission happens on the server thread, and Qt queues it for receivers on
    // other threads.
    connect(m_thread.get(), &WebServerThread::openConnectionsChanged, this,
            &WebAccessServer::openConnectionsChanged, Qt::DirectConnection);
    m_thread->start();
    return {};
}

QString WebAccessServer::stop() {
    if (!m_thread)
        return {};
    std::unique_ptr<WebServerThread> thread = std::move(m_thread);
    m_port = 0;
    // Requests already queued to us find the route closed; none of them acts any more.
    if (m_pageRoute)
        std::exchange(m_pageRoute, nullptr)->detach();
    thread->quit();
    if (thread->wait(QDeadlineTimer(m_limits.stopTimeout)))
        return {};
    disconnect(thread.get(), nullptr, this, nullptr);
    m_abandoned.push_back(std::move(thread));
    return StopTimeoutMessage;
}

void WebAccessServer::setPageHandler(PageHandler* handler) {
    m_pageHandler = handler;
}

void WebAccessServer::answerPage(const PageRequest& request,
                                 const std::shared_ptr<PendingPageReply>& reply) {
    // A client that went away, or a server stopped meanwhile, must not switch anything.
    if (!m_pageRoute || !reply->isWaiting())
        return;
    reply->deliver(m_pageHandler ? m_pageHandler->answer(request)
                                 : HttpEmptySuccessReply.toByteArray());
}

void WebAccessServer::reapAbandonedThreads() {
    std::erase_if(m_abandoned, [](const std::unique_ptr<WebServerThread>& thread) {
        return thread->isFinished();
    });
}

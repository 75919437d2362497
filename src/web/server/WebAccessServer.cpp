#include "web/server/WebAccessServer.h"

#include "core/LogCategories.h"
#include "web/server/ListeningSocket.h"
#include "web/server/WebServerThread.h"

#include <QDeadlineTimer>

#include <algorithm>

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
    m_thread = std::make_unique<WebServerThread>(std::move(listening), m_limits);
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
    thread->quit();
    if (thread->wait(QDeadlineTimer(m_limits.stopTimeout)))
        return {};
    disconnect(thread.get(), nullptr, this, nullptr);
    m_abandoned.push_back(std::move(thread));
    return StopTimeoutMessage;
}

void WebAccessServer::reapAbandonedThreads() {
    std::erase_if(m_abandoned, [](const std::unique_ptr<WebServerThread>& thread) {
        return thread->isFinished();
    });
}

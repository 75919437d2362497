// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/PageRequest.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

// A reply on its way back from the owner's thread to one waiting connection. The connection
// withdraws when it ends, so a late reply finds no one and is dropped.
class PendingPageReply {
public:
    using Deliver = std::function<void(QByteArray reply)>;

    // `receiver` lives on the server's thread; `deliver` runs there, queued.
    PendingPageReply(QObject* receiver, Deliver deliver);

    // Any thread. Whether the connection still waits.
    bool isWaiting() const;
    // Any thread; queues the reply to the connection if it still waits.
    void deliver(QByteArray reply);
    // The connection's thread, before the receiver is destroyed.
    void withdraw();

private:
    mutable std::mutex m_mutex;
    QObject* m_receiver;
    Deliver m_deliver;
};

// The way from the server's thread to the page: which target is the page, and the owner that
// answers it. Shared by the server and every connection; the server detaches it when it stops,
// so requests still on the way reach no one.
class PageRoute {
public:
    using Ask = std::function<void(const PageRequest&, std::shared_ptr<PendingPageReply>)>;

    // `ask` runs on the owner's thread, queued through `owner`.
    PageRoute(QByteArray pageName, QObject* owner, Ask ask);

    // A target names the page when it is "/" and the page's name, once percent-escapes are
    // decoded; no query, no other spelling.
    bool isPage(QByteArrayView target) const;
    // Server thread. False when the route has been detached: there is no one to answer.
    bool send(PageRequest request, std::shared_ptr<PendingPageReply> reply);
    // Owner thread.
    void detach();

private:
    const QByteArray m_path;
    std::mutex m_mutex;
    QObject* m_owner;
    Ask m_ask;
};

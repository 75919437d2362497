// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/PageRoute.h"

PendingPageReply::PendingPageReply(QObject* receiver, Deliver deliver)
    : m_receiver(receiver)
    , m_deliver(std::move(deliver)) {}

bool PendingPageReply::isWaiting() const {
    const std::lock_guard lock(m_mutex);
    return m_receiver != nullptr;
}

void PendingPageReply::deliver(QByteArray reply) {
    // Posting under the lock: the receiver cannot be destroyed between the test and the post,
    // and once destroyed, Qt drops the events posted to it.
    const std::lock_guard lock(m_mutex);
    if (!m_receiver)
        return;
    QMetaObject::invokeMethod(
        m_receiver, [deliver = m_deliver, reply = std::move(reply)] { deliver(reply); },
        Qt::QueuedConnection);
    m_receiver = nullptr;
}

void PendingPageReply::withdraw() {
    const std::lock_guard lock(m_mutex);
    m_receiver = nullptr;
}

PageRoute::PageRoute(QByteArray pageName, QObject* owner, Ask ask)
    : m_path("/" + pageName)
    , m_owner(owner)
    , m_ask(std::move(ask)) {}

bool PageRoute::isPage(QByteArrayView target) const {
    return QByteArray::fromPercentEncoding(target.toByteArray()) == m_path;
}

bool PageRoute::send(PageRequest request, std::shared_ptr<PendingPageReply> reply) {
    const std::lock_guard lock(m_mutex);
    if (!m_owner)
        return false;
    QMetaObject::invokeMethod(
        m_owner,
        [ask = m_ask, request = std::move(request), reply = std::move(reply)] {
            ask(request, reply);
        },
        Qt::QueuedConnection);
    return true;
}

void PageRoute::detach() {
    const std::lock_guard lock(m_mutex);
    m_owner = nullptr;
}

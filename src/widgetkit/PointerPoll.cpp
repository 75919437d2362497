// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/PointerPoll.h"

#include "core/PointerSource.h"

#include <algorithm>

PointerPoll::PointerPoll(const PointerSource& source, const QString& timerName, QObject* parent)
    : QObject(parent)
    , m_source(source)
    , m_timer(this) {
    m_timer.setObjectName(timerName);
    m_timer.setInterval(IntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &PointerPoll::tick);
}

void PointerPoll::add(QObject* owner, Tick tick) {
    remove(owner);
    m_watchers.push_back({owner, std::move(tick), false});
    connect(owner, &QObject::destroyed, this, [this, owner] { remove(owner); });
}

void PointerPoll::remove(QObject* owner) {
    const auto gone = std::remove_if(m_watchers.begin(), m_watchers.end(),
                                     [owner](const Watcher& w) { return w.owner == owner; });
    if (gone == m_watchers.end())
        return;
    m_watchers.erase(gone, m_watchers.end());
    disconnect(owner, &QObject::destroyed, this, nullptr);
    runTimerWhileWatched();
}

void PointerPoll::setWatching(QObject* owner, bool watching) {
    for (Watcher& watcher : m_watchers)
        if (watcher.owner == owner)
            watcher.watching = watching;
    runTimerWhileWatched();
}

bool PointerPoll::isWatching(const QObject* owner) const {
    return std::any_of(m_watchers.cbegin(), m_watchers.cend(),
                       [owner](const Watcher& w) { return w.owner == owner && w.watching; });
}

int PointerPoll::watchingCount() const {
    return static_cast<int>(std::count_if(m_watchers.cbegin(), m_watchers.cend(),
                                          [](const Watcher& w) { return w.watching; }));
}

QPoint PointerPoll::read() const {
    return m_source.globalPosition();
}

void PointerPoll::runTimerWhileWatched() {
    const bool wanted = watchingCount() > 0;
    // A running timer keeps its phase: a window that starts watching joins the others' tick.
    if (wanted && !m_timer.isActive())
        m_timer.start();
    else if (!wanted)
        m_timer.stop();
}

void PointerPoll::tick() {
    const QPoint pointer = read();
    // A tick may hide a window and so change the list: walk the owners as they were.
    std::vector<QObject*> owners;
    for (const Watcher& watcher : m_watchers)
        if (watcher.watching)
            owners.push_back(watcher.owner);
    for (QObject* owner : owners) {
        const auto found = std::find_if(m_watchers.cbegin(), m_watchers.cend(),
                                        [owner](const Watcher& w) { return w.owner == owner; });
        if (found != m_watchers.cend() && found->watching) {
            const Tick tick = found->tick;
            tick(pointer);
        }
    }
}

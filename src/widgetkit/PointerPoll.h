// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <functional>
#include <vector>

class PointerSource;

// The pointer reading that every window's hover looks are drawn from: one reading per 100 ms
// tick, handed to each window that is watching. A window watches only while its looks can
// change (while it is shown); with nobody watching the timer stops, so a program that waits in
// the background does not wake ten times a second for nothing.
class PointerPoll : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 100;
    using Tick = std::function<void(QPoint pointer)>;

    // `timerName` names the timer, so that a window's Timer_Work is still found by its name.
    PointerPoll(const PointerSource& source, const QString& timerName, QObject* parent = nullptr);

    // `owner`'s tick, not yet watching. Forgotten when the owner is destroyed.
    void add(QObject* owner, Tick tick);
    void remove(QObject* owner);
    void setWatching(QObject* owner, bool watching);
    bool isWatching(const QObject* owner) const;
    int watchingCount() const;

    // One tick now: a single reading for every window that is watching.
    void tick();
    // The pointer now, for a click's arithmetic between ticks.
    QPoint read() const;
    const QTimer& timer() const { return m_timer; }

private:
    struct Watcher {
        QObject* owner;
        Tick tick;
        bool watching;
    };

    void runTimerWhileWatched();

    const PointerSource& m_source;
    QTimer m_timer;
    std::vector<Watcher> m_watchers;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

// Measures how late the event loop of the thread it lives in serves a short timer: the longest
// stall, and how many passed one frame (16 ms) and 50 ms. A benchmark's eye on the UI thread,
// switched on by GLOAMERY_LOOP_PROBE; it writes its summary to that file when it goes. It starts
// after a delay, so the windows' first loading and showing are not counted.
class LoopLagProbe : public QObject {
public:
    static constexpr int IntervalMs = 5;

    LoopLagProbe(QString reportPath, int startAfterMs, QObject* parent = nullptr);
    ~LoopLagProbe() override;

    // One tick's lateness, counted from when the tick was due.
    void record(qint64 lateMs);
    qint64 longestMs() const { return m_longestMs; }
    QString summary() const;

private:
    void tick();

    QString m_reportPath;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_dueMs = 0;
    qint64 m_longestMs = 0;
    qint64 m_ticks = 0;
    qint64 m_overFrame = 0;
    qint64 m_over50 = 0;
};

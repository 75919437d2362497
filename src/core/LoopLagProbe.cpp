// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LoopLagProbe.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

LoopLagProbe::LoopLagProbe(QString reportPath, int startAfterMs, QObject* parent)
    : QObject(parent)
    , m_reportPath(std::move(reportPath)) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(IntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    // The windows' saving at the end is not the evening either.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            [this] { m_timer.stop(); });
    QTimer::singleShot(startAfterMs, this, [this] {
        m_clock.start();
        m_dueMs = IntervalMs;
        m_timer.start();
    });
}

LoopLagProbe::~LoopLagProbe() {
    QFile report(m_reportPath);
    if (report.open(QIODevice::WriteOnly | QIODevice::Truncate))
        report.write(summary().toUtf8() + '\n');
}

void LoopLagProbe::tick() {
    const qint64 now = m_clock.elapsed();
    record(now - m_dueMs);
    // A late tick does not make the next one due early: lateness is counted once.
    m_dueMs = now + IntervalMs;
}

void LoopLagProbe::record(qint64 lateMs) {
    const qint64 late = std::max<qint64>(lateMs, 0);
    ++m_ticks;
    m_longestMs = std::max(m_longestMs, late);
    if (late > 16)
        ++m_overFrame;
    if (late > 50)
        ++m_over50;
}

QString LoopLagProbe::summary() const {
    return QStringLiteral("ticks %1, longest stall %2 ms, over 16 ms %3, over 50 ms %4")
        .arg(m_ticks)
        .arg(m_longestMs)
        .arg(m_overFrame)
        .arg(m_over50);
}

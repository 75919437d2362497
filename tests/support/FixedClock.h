// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Clock.h"

class FixedClock : public Clock {
public:
    explicit FixedClock(QTime time = QTime(12, 0))
        : m_now(QDate(2026, 12, 9), time) {}
    QDateTime now() const override { return m_now; }
    void setTime(QTime time) { m_now.setTime(time); }
    void advance(qint64 ms) { m_now = m_now.addMSecs(ms); }
    void set(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
};

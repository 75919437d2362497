// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/WallClockAlarm.h"

class QSocketNotifier;

// The Linux alarm: a timerfd on CLOCK_REALTIME armed at an absolute time and cancelled when the
// clock is set, watched by the event loop, so nothing polls.
class TimerFdAlarm : public WallClockAlarm {
    Q_OBJECT
public:
    explicit TimerFdAlarm(QObject* parent = nullptr);
    ~TimerFdAlarm() override;

    void arm(const QDateTime& at) override;
    void disarm() override;

    // False when the kernel gave no timer: the alarm then never wakes.
    bool isWorking() const { return m_fd >= 0; }

private:
    void setTimer(qint64 msSinceEpoch);
    void readTimer();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

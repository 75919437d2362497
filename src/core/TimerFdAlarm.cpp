// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TimerFdAlarm.h"

#include "core/LogCategories.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

TimerFdAlarm::TimerFdAlarm(QObject* parent)
    : WallClockAlarm(parent) {
    m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0) {
        qCWarning(lcApp) << "no wall clock timer:" << std::strerror(errno);
        return;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TimerFdAlarm::readTimer);
}

TimerFdAlarm::~TimerFdAlarm() {
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

void TimerFdAlarm::arm(const QDateTime& at) {
    if (!at.isValid()) {
        disarm();
        return;
    }
    // A zero it_value disarms, so a moment at or before the epoch is made the smallest one: it
    // has passed, and is due at once.
    setTimer(std::max<qint64>(1, at.toMSecsSinceEpoch()));
}

void TimerFdAlarm::disarm() {
    setTimer(0);
}

void TimerFdAlarm::setTimer(qint64 msSinceEpoch) {
    if (m_fd < 0)
        return;
    itimerspec due{};
    due.it_value.tv_sec = static_cast<time_t>(msSinceEpoch / 1000);
    due.it_value.tv_nsec = static_cast<long>(msSinceEpoch % 1000) * 1000000L;
    // Without CANCEL_ON_SET a clock set forward past the moment would still wake us, but one set
    // back would leave us asleep until the old moment comes round again.
    if (timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &due, nullptr) != 0)
        qCWarning(lcApp) << "cannot set the wall clock timer:" << std::strerror(errno);
}

void TimerFdAlarm::readTimer() {
    quint64 expirations = 0;
    const ssize_t got = ::read(m_fd, &expirations, sizeof expirations);
    if (got == sizeof expirations) {
        emit due();
    } else if (got < 0 && errno == ECANCELED) {
        emit clockChanged();
    }
    // EAGAIN: the timer was re-armed between the wake-up and the read; nothing is due.
}

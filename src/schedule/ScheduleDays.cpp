// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleDays.h"

ScheduleDays ScheduleDays::weekdays(int mask) {
    ScheduleDays days;
    days.m_mask = mask & 0x7F;
    return days;
}

ScheduleDays ScheduleDays::stretch(int fromMonth, int fromDay, int toMonth, int toDay) {
    ScheduleDays days;
    days.m_stretch = true;
    days.m_from = fromMonth * 100 + fromDay;
    days.m_to = toMonth * 100 + toDay;
    return days;
}

bool ScheduleDays::contains(QDate date) const {
    if (!date.isValid())
        return false;
    if (!m_stretch)
        return (m_mask & (1 << (date.dayOfWeek() - 1))) != 0;
    const int day = date.month() * 100 + date.day();
    if (m_from <= m_to)
        return day >= m_from && day <= m_to;
    return day >= m_from || day <= m_to;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

// The days a plan runs on: some weekdays, or every year's stretch of calendar days such as
// 24-31 October. A stretch whose last day comes before its first runs across New Year
// (12-20..01-06); 02-29 then simply does not occur in other years.
class ScheduleDays {
public:
    // Bit 0 is Monday, bit 6 Sunday, as Qt numbers them from 1. A mask without days has no
    // text form: a form offering the days must refuse it.
    static ScheduleDays weekdays(int mask);
    // Months and days of month; both must be a date in a leap year.
    static ScheduleDays stretch(int fromMonth, int fromDay, int toMonth, int toDay);

    bool contains(QDate date) const;

    bool isStretch() const { return m_stretch; }
    int weekdayMask() const { return m_mask; }
    int fromMonth() const { return m_from / 100; }
    int fromDay() const { return m_from % 100; }
    int toMonth() const { return m_to / 100; }
    int toDay() const { return m_to % 100; }

    bool operator==(const ScheduleDays&) const = default;

private:
    bool m_stretch = false;
    int m_mask = 0;
    int m_from = 0; // month * 100 + day
    int m_to = 0;
};

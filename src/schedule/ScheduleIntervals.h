// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>

// A stretch of time in force, [start, end), and the plans it was made of (their indexes in the
// rules), in order of start.
struct ScheduleInterval {
    QDateTime start;
    QDateTime end;
    QList<int> plans;

    bool contains(const QDateTime& t) const { return start <= t && t < end; }
    bool operator==(const ScheduleInterval&) const = default;
};

// Something a week's view should tell about its days.
struct ScheduleNote {
    enum class Kind {
        Merged,          // `plan` and `other` overlap or touch and run as one
        NoSunset,        // `plan` starts at sunset; the sun does not set that day
        NoDusk,          // `plan` starts at dusk; the sun does not get 6 degrees low
        NoSunrise,       // `plan` ends at sunrise; the sun does not rise after its start
        EndsBeforeStart, // `plan`'s evening end comes before its sun start that day
    };
    Kind kind = Kind::Merged;
    QDate date; // the day of `plan`; for a merge, the day the later of the two starts
    int plan = -1;
    int other = -1;
    bool sunStaysUp = false; // for the missing sun events: polar day rather than polar night

    bool operator==(const ScheduleNote&) const = default;
};

// Overlapping and touching intervals become one, so a caller never stops the attraction only
// to start it again in the same second. Each merge adds a note when `notes` is given.
QList<ScheduleInterval> mergeIntervals(QList<ScheduleInterval> intervals,
                                       QList<ScheduleNote>* notes);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule/ScheduleIntervals.h"
#include "schedule/ScheduleText.h"
#include "schedule/SunTimes.h"

#include <QHash>
#include <QTimeZone>

#include <optional>

// A moment the plans or the quiet hours change: something starts or ends.
struct ScheduleChange {
    QDateTime at;
    bool starts = false;

    bool operator==(const ScheduleChange&) const = default;
};

struct ScheduleLookup {
    std::optional<ScheduleInterval> containing; // what is in force at the moment asked about
    std::optional<ScheduleChange> next;         // the first change after it
};

struct ScheduleSpan {
    QList<ScheduleInterval> intervals;
    QList<ScheduleNote> notes;
};

// The plans and quiet hours laid onto the calendar of one place and time zone.
//
// A plan belongs to the day it starts on, even when it runs past midnight. Its start:
//  - a clock time, on that day; a time the clocks skip when they go forward (02:30 in Berlin on
//    the last Sunday of March) means the moment they jump, 03:00, so the evening is shortened
//    rather than lost (a plan wholly inside the skipped hour has nothing left and does not run);
//    a time they pass twice when they go back means the first pass;
//  - sunset or dusk of that day plus the offset; on a day without one the plan does not run,
//    and a note says why.
// Its end:
//  - a clock time: after a clock start, on the same day when later than the start, else the next
//    day; after a sun start, an end from 12:00 on is that evening's and one before 12:00 the
//    next morning's, and when the sun start comes after that end the plan does not run that day
//    (a note says so) rather than running for most of a day;
//  - sunrise plus the offset: the first after the start; no sunrise within two days (polar
//    night) and the plan does not run;
//  - a duration, in elapsed time, so a change of clocks in between lengthens or shortens it on
//    the clock face.
// Intervals are half-open: at its start a plan is in force, at its end it no longer is.
// Overlapping or touching plans run as one interval. Lookups see about a year ahead; a change
// further off, or the end of plans that chain into each other for a year, is given as none.
// It keeps the sun times it has worked out, so one calendar serves one thread.
class ScheduleCalendar {
public:
    ScheduleCalendar(ScheduleRules rules, ScheduleLocation where, QTimeZone zone);

    // Whether a plan is in force at t, until when, and the next start or end after t: a caller
    // sets one timer for `next`.
    ScheduleLookup plansAt(const QDateTime& t) const;
    // The same for the quiet hours.
    ScheduleLookup quietAt(const QDateTime& t) const;
    // The merged plans that touch the days from..to (in the calendar's zone) and what to tell
    // about them.
    ScheduleSpan days(QDate from, QDate to) const;

    // A clock time on a day, as this calendar reads it around changes of clocks.
    QDateTime clockTime(QDate date, QTime time) const;

private:
    enum class Source { Plans, Quiet };

    QList<ScheduleInterval> occurrences(Source source, QDate first, QDate last,
                                        QList<ScheduleNote>* notes) const;
    std::optional<ScheduleInterval> planOn(int index, QDate day, QList<ScheduleNote>* notes) const;
    std::optional<QDateTime> endOf(int index, QDate day, const QDateTime& start,
                                   QList<ScheduleNote>* notes) const;
    ScheduleLookup lookUp(Source source, const QDateTime& t) const;
    const SunDay& sun(QDate date) const;

    ScheduleRules m_rules;
    ScheduleLocation m_where;
    QTimeZone m_zone;
    mutable QHash<QDate, SunDay> m_sun;
};

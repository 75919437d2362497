// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "schedule/ScheduleIntervals.h"
#include "schedule/SchedulePlan.h"

#include <QString>
#include <QTimeZone>

// The schedule window's texts in English and Russian: its captions, a plan and a stretch of
// time as a person reads them, the week's notes, and the reasons a schedule is refused.
namespace ScheduleWords {

enum class Word {
    Title,
    Enabled,
    Plans,
    Add,
    Remove,
    Weekdays,
    Dates,
    To,
    Start,
    End,
    AtTime,
    Sunset,
    Dusk,
    Sunrise,
    Duration,
    Minutes,
    FinalSound,
    OpenDoor,
    Quiet,
    City,
    OtherPlace,
    Latitude,
    Longitude,
    Week,
    NothingThisWeek,
    Ok,
    Apply,
    Applied,
    Daily,
    // Reasons, each with %1 where it names a plan or a field.
    NoDays,           // %1: the plan's number
    NeedsPlace,       // %1: the plan's number
    NotANumber,       // %1: the text typed
    HalfPlace,        // a latitude without a longitude or the other way round
    StoredUnreadable, // %1: why
};

QString word(Word which, Language language);

// "Fri, Sat: sunset−15..22:30, final sound".
QString plan(const SchedulePlan& plan, Language language);
// "12:30–13:30".
QString quiet(const QuietHours& quiet);
// "Fri 24 Oct 18:42–22:30", its end dated when it is not within a day of its start.
QString interval(const ScheduleInterval& interval, const QTimeZone& zone, Language language);
// "Fri 24 Oct: plans 1 and 2 overlap and run as one"; plans are numbered from 1.
QString note(const ScheduleNote& note, Language language);
// A reason from the text form, the store or the coordinates' check, which come in English, in
// the interface language; one it does not know stays in English.
QString reason(const QString& english, Language language);

} // namespace ScheduleWords

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule/SchedulePlan.h"

#include <QList>
#include <QString>

#include <optional>

// Everything the schedule is told: the evening plans and the quiet hours.
struct ScheduleRules {
    QList<SchedulePlan> plans;
    QList<QuietHours> quiet;

    bool operator==(const ScheduleRules&) const = default;
};

struct ScheduleTextParse {
    std::optional<ScheduleRules> rules;
    QString problem; // English, naming the entry, when `rules` is empty
};

// The one text form of the schedule, for the settings store and `gloameryd config
// schedule.plans`. Entries are separated by ';':
//
//   mon,tue,fri sunset-15..22:30    weekdays; start 15 min before sunset, end 22:30
//   10-24..10-31 dusk..sunrise      every year from 24 to 31 October, civil dusk to sunrise
//   12-28..01-02 18:00..01:00       across New Year; an end before the start is the next day
//   daily 19:00..+120               every day, for 120 minutes
//   10-31 dusk+30..sunrise-60       one date, offsets in minutes
//   quiet 12:30..13:30              quiet hours, every day; may cross midnight
//   fri 18:00..23:00 final-sound open-door   the end plays the final sound and opens the door
//
// Days: `daily`, weekdays (mon tue wed thu fri sat sun, comma-separated, each once), or MM-DD or
// MM-DD..MM-DD. Start: HH:MM, sunset[+-N], dusk[+-N]. End: HH:MM, sunrise[+-N], +N.
// A plan may end with the words final-sound and open-door, each at most once.
// Offsets are -720..720 minutes, durations 1..1440, clock times two-digit 00:00..23:59. Words
// may be in any letter case; the writer uses lower case and drops a zero offset, so what it
// writes reads back to the same rules. The reader is strict: the first wrong entry refuses the
// whole text with its reason, because half a schedule silently kept is worse than an error.
class ScheduleText {
public:
    static constexpr int MaxBytes = 1024;
    static constexpr int MaxOffsetMinutes = 720;
    static constexpr int MaxDurationMinutes = 1440;

    static ScheduleTextParse parse(const QString& text);
    static QString write(const ScheduleRules& rules);
    static QString write(const SchedulePlan& plan);
    static QString write(const QuietHours& quiet);
};

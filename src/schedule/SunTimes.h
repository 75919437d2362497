// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule/ScheduleLocation.h"

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

// One of a day's sun events, or why the day has none.
struct SunEvent {
    enum class Absent {
        No,           // `at` holds the moment
        SunStaysUp,   // polar day, or for dusk a white night: the sun never gets that low
        SunStaysDown, // polar night: the sun never gets that high
    };
    QDateTime at; // in the day's time zone
    Absent absent = Absent::No;

    bool happens() const { return absent == Absent::No; }
};

// A local day's sunrise, sunset and civil dusk (the sun 6 degrees below the horizon).
//
// The day pivots on its solar noon: its sunrise is the last one before that noon, its sunset and
// dusk the first after it. So near the polar circles a sunset at 00:30 still belongs to the
// evening before, which is what a plan starting "at sunset" means there. Times come from the
// sun's position in UTC and are only then shown in the zone, so a change of clocks moves them
// by exactly the change.
struct SunDay {
    SunEvent sunrise;
    SunEvent sunset;
    SunEvent dusk;
};

class SunTimes {
public:
    static SunDay forDate(QDate date, const ScheduleLocation& where, const QTimeZone& zone);
};

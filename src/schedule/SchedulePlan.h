// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule/ScheduleDays.h"

#include <QTime>

// When a plan begins on one of its days.
struct PlanStart {
    enum class Kind { Clock, Sunset, Dusk };
    Kind kind = Kind::Clock;
    QTime clock;           // Clock only
    int offsetMinutes = 0; // Sunset and Dusk only, -720..720

    bool operator==(const PlanStart&) const = default;
};

// When it ends. A clock end at or before the start's clock time is on the next day.
struct PlanEnd {
    enum class Kind { Clock, Sunrise, Duration };
    Kind kind = Kind::Clock;
    QTime clock;             // Clock only
    int offsetMinutes = 0;   // Sunrise only, -720..720
    int durationMinutes = 0; // Duration only, 1..1440

    bool operator==(const PlanEnd&) const = default;
};

// The attraction starts by itself on the plan's days and stops at its end. Its end plays the
// final sound and opens the door only when the plan says so, whatever the attraction's own
// options say: those belong to a run the duration ends.
struct SchedulePlan {
    ScheduleDays days;
    PlanStart start;
    PlanEnd end;
    // At the end: the final sound plays, and the door opens to let the guests out.
    bool finalSound = false;
    bool openDoor = false;

    bool operator==(const SchedulePlan&) const = default;
};

// A daily stretch of clock time in which ghosts keep still; `to` at or before `from` is on the
// next day.
struct QuietHours {
    QTime from;
    QTime to;

    bool operator==(const QuietHours&) const = default;
};

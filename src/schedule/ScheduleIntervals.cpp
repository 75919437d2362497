// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleIntervals.h"

#include <algorithm>

QList<ScheduleInterval> mergeIntervals(QList<ScheduleInterval> intervals,
                                       QList<ScheduleNote>* notes) {
    std::stable_sort(
        intervals.begin(), intervals.end(),
        [](const ScheduleInterval& a, const ScheduleInterval& b) { return a.start < b.start; });
    QList<ScheduleInterval> merged;
    for (const ScheduleInterval& next : intervals) {
        // A plan wholly inside the hour the clocks skip leaves nothing to run.
        if (next.end <= next.start)
            continue;
        if (merged.isEmpty() || next.start > merged.last().end) {
            merged.append(next);
            continue;
        }
        ScheduleInterval& last = merged.last();
        if (notes && !last.plans.isEmpty() && !next.plans.isEmpty()) {
            ScheduleNote note;
            note.date = next.start.date();
            note.plan = last.plans.last();
            note.other = next.plans.first();
            notes->append(note);
        }
        last.end = std::max(last.end, next.end);
        last.plans.append(next.plans);
    }
    return merged;
}

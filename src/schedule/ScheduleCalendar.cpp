// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleCalendar.h"

#include <utility>

namespace {

// A plan of day d starts no earlier than the day before (sunset minus twelve hours) and ends
// within three days of d, so days this far outside a window cannot reach into it.
constexpr int MarginDays = 4;
// Windows a lookup widens through; the last covers a year's date stretches.
constexpr int LookAheadDays[] = {8, 40, 400};
constexpr int NoonHour = 12;

ScheduleNote noteFor(ScheduleNote::Kind kind, QDate day, int plan, const SunEvent& event) {
    ScheduleNote note;
    note.kind = kind;
    note.date = day;
    note.plan = plan;
    note.sunStaysUp = event.absent == SunEvent::Absent::SunStaysUp;
    return note;
}

} // namespace

ScheduleCalendar::ScheduleCalendar(ScheduleRules rules, ScheduleLocation where, QTimeZone zone)
    : m_rules(std::move(rules))
    , m_where(where)
    , m_zone(std::move(zone)) {}

const SunDay& ScheduleCalendar::sun(QDate date) const {
    auto found = m_sun.find(date);
    if (found == m_sun.end())
        found = m_sun.insert(date, SunTimes::forDate(date, m_where, m_zone));
    return *found;
}

QDateTime ScheduleCalendar::clockTime(QDate date, QTime time) const {
    // Walk the day's changes of clocks (one a second before midnight included, for zones that
    // skip midnight itself): a time inside a skipped stretch becomes the moment of the jump; a
    // time passed twice is read in the offset before the change, its first pass.
    QDateTime from = date.startOfDay(m_zone).addSecs(-1);
    int offset = m_zone.offsetFromUtc(from);
    for (;;) {
        const QTimeZone::OffsetData change = m_zone.nextTransition(from);
        const QDateTime at = change.atUtc;
        if (!at.isValid() || at.toTimeZone(m_zone).date() != date)
            break;
        const QTime faceBefore = at.addSecs(offset).toUTC().time();
        const QTime faceAfter = at.addSecs(change.offsetFromUtc).toUTC().time();
        if (change.offsetFromUtc > offset && time >= faceBefore && time < faceAfter)
            return at.toTimeZone(m_zone);
        if (time < faceBefore)
            break;
        from = at;
        offset = change.offsetFromUtc;
    }
    return QDateTime(date, time, Qt::UTC).addSecs(-offset).toTimeZone(m_zone);
}

std::optional<ScheduleInterval> ScheduleCalendar::planOn(int index, QDate day,
                                                         QList<ScheduleNote>* notes) const {
    const SchedulePlan& plan = m_rules.plans[index];
    if (!plan.days.contains(day))
        return std::nullopt;
    QDateTime start;
    if (plan.start.kind == PlanStart::Kind::Clock) {
        start = clockTime(day, plan.start.clock);
    } else {
        const bool sunset = plan.start.kind == PlanStart::Kind::Sunset;
        const SunEvent& event = sunset ? sun(day).sunset : sun(day).dusk;
        if (!event.happens()) {
            if (notes)
                notes->append(
                    noteFor(sunset ? ScheduleNote::Kind::NoSunset : ScheduleNote::Kind::NoDusk, day,
                            index, event));
            return std::nullopt;
        }
        start = event.at.addSecs(qint64(plan.start.offsetMinutes) * 60);
    }
    const auto end = endOf(index, day, start, notes);
    if (!end)
        return std::nullopt;
    return ScheduleInterval{start, *end, {index}};
}

std::optional<QDateTime> ScheduleCalendar::endOf(int index, QDate day, const QDateTime& start,
                                                 QList<ScheduleNote>* notes) const {
    const SchedulePlan& plan = m_rules.plans[index];
    switch (plan.end.kind) {
    case PlanEnd::Kind::Duration:
        return start.addSecs(qint64(plan.end.durationMinutes) * 60);
    case PlanEnd::Kind::Clock: {
        if (plan.start.kind == PlanStart::Kind::Clock) {
            const bool nextDay = plan.end.clock <= plan.start.clock;
            return clockTime(day.addDays(nextDay ? 1 : 0), plan.end.clock);
        }
        const bool morning = plan.end.clock.hour() < NoonHour;
        const QDateTime end = clockTime(day.addDays(morning ? 1 : 0), plan.end.clock);
        if (end > start)
            return end;
        if (notes) {
            ScheduleNote note;
            note.kind = ScheduleNote::Kind::EndsBeforeStart;
            note.date = day;
            note.plan = index;
            notes->append(note);
        }
        return std::nullopt;
    }
    case PlanEnd::Kind::Sunrise:
        break;
    }
    const QDate from = start.toTimeZone(m_zone).date();
    SunEvent missing;
    for (int shift = 0; shift <= 2; ++shift) {
        const SunEvent& rise = sun(from.addDays(shift)).sunrise;
        if (!rise.happens()) {
            missing = rise;
            continue;
        }
        const QDateTime end = rise.at.addSecs(qint64(plan.end.offsetMinutes) * 60);
        if (end > start)
            return end;
    }
    if (notes)
        notes->append(noteFor(ScheduleNote::Kind::NoSunrise, day, index, missing));
    return std::nullopt;
}

QList<ScheduleInterval> ScheduleCalendar::occurrences(Source source, QDate first, QDate last,
                                                      QList<ScheduleNote>* notes) const {
    QList<ScheduleInterval> found;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (source == Source::Quiet) {
            for (const QuietHours& quiet : m_rules.quiet) {
                const QDate toDay = day.addDays(quiet.to <= quiet.from ? 1 : 0);
                found.append({clockTime(day, quiet.from), clockTime(toDay, quiet.to), {}});
            }
            continue;
        }
        for (int index = 0; index < m_rules.plans.size(); ++index) {
            if (auto interval = planOn(index, day, notes))
                found.append(*interval);
        }
    }
    return found;
}

ScheduleLookup ScheduleCalendar::lookUp(Source source, const QDateTime& t) const {
    const QDate today = t.toTimeZone(m_zone).date();
    ScheduleLookup found;
    for (int ahead : LookAheadDays) {
        const QDate last = today.addDays(ahead);
        // Days after `last` start no earlier than its midnight, so what comes before is settled.
        const QDateTime settled = last.startOfDay(m_zone);
        const QList<ScheduleInterval> intervals =
            mergeIntervals(occurrences(source, today.addDays(-MarginDays), last, nullptr), nullptr);
        found = {};
        for (const ScheduleInterval& interval : intervals) {
            if (interval.start > t) {
                found.next = ScheduleChange{interval.start, true};
                break;
            }
            if (interval.end > t) {
                found.containing = interval;
                found.next = ScheduleChange{interval.end, false};
                break;
            }
        }
        if (found.next && found.next->at < settled)
            return found;
    }
    found.next.reset();
    return found;
}

ScheduleLookup ScheduleCalendar::plansAt(const QDateTime& t) const {
    return lookUp(Source::Plans, t);
}

ScheduleLookup ScheduleCalendar::quietAt(const QDateTime& t) const {
    return lookUp(Source::Quiet, t);
}

ScheduleSpan ScheduleCalendar::days(QDate from, QDate to) const {
    QList<ScheduleNote> notes;
    const QList<ScheduleInterval> all = mergeIntervals(
        occurrences(Source::Plans, from.addDays(-MarginDays), to.addDays(MarginDays), &notes),
        &notes);
    const QDateTime begin = from.startOfDay(m_zone);
    const QDateTime end = to.addDays(1).startOfDay(m_zone);
    ScheduleSpan span;
    for (const ScheduleInterval& interval : all) {
        if (interval.end > begin && interval.start < end)
            span.intervals.append(interval);
    }
    for (const ScheduleNote& note : notes) {
        if (note.date >= from && note.date <= to)
            span.notes.append(note);
    }
    return span;
}

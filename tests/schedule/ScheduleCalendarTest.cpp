// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleCalendar.h"

#include "NoaaSun.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const ScheduleLocation Berlin{52.52, 13.40};
const ScheduleLocation Tromso{69.65, 18.96};

ScheduleRules rules(const char* text) {
    const ScheduleTextParse parsed = ScheduleText::parse(QString::fromUtf8(text));
    EXPECT_TRUE(parsed.rules) << parsed.problem.toStdString();
    return parsed.rules.value_or(ScheduleRules{});
}

QDateTime at(const char* local, const QTimeZone& zone) {
    QDateTime t =
        QDateTime::fromString(QString::fromLatin1(local), QStringLiteral("yyyy-MM-dd HH:mm"));
    t.setTimeZone(zone);
    return t;
}

struct LookupCase {
    const char* name;
    const char* rules;
    bool quiet; // ask about the quiet hours rather than the plans
    const char* t;
    const char* until; // the end of what is in force at t, "(open)" past a year, "" if nothing
    const char* next;  // the next change, or "" when there is none within a year
    bool nextStarts;
};

const LookupCase LookupCases[] = {
    {"AtStart", "daily 18:00..22:00", false, "2026-10-24 18:00", "2026-10-24 22:00",
     "2026-10-24 22:00", false},
    {"AtEnd", "daily 18:00..22:00", false, "2026-10-24 22:00", "", "2026-10-25 18:00", true},
    {"JustBefore", "daily 18:00..22:00", false, "2026-10-24 17:59", "", "2026-10-24 18:00", true},
    {"PastMidnightBelongsToSaturday", "sat 22:00..02:00", false, "2026-10-25 01:00",
     "2026-10-25 02:00", "2026-10-25 02:00", false},
    {"SundayItselfHasNone", "sat 22:00..02:00", false, "2026-10-25 02:00", "", "2026-10-31 22:00",
     true},
    {"SameClockIsADay", "sat 18:00..18:00", false, "2026-10-25 12:00", "2026-10-25 18:00",
     "2026-10-25 18:00", false},
    {"NewYearEve", "12-31..01-01 20:00..+60", false, "2026-12-31 20:30", "2026-12-31 21:00",
     "2026-12-31 21:00", false},
    {"NewYearDay", "12-31..01-01 20:00..+60", false, "2027-01-01 19:00", "", "2027-01-01 20:00",
     true},
    {"NextYear", "12-31..01-01 20:00..+60", false, "2027-01-02 00:00", "", "2027-12-31 20:00",
     true},
    {"Overlapping", "mon 18:00..21:00; mon 20:00..23:00", false, "2026-10-26 19:00",
     "2026-10-26 23:00", "2026-10-26 23:00", false},
    {"Touching", "daily 18:00..20:00; daily 20:00..22:00", false, "2026-10-26 19:00",
     "2026-10-26 22:00", "2026-10-26 22:00", false},
    {"Contained", "daily 18:00..23:00; daily 19:00..20:00", false, "2026-10-26 19:30",
     "2026-10-26 23:00", "2026-10-26 23:00", false},
    {"NeverEnds", "daily 00:00..+1440", false, "2026-10-26 19:00", "(open)", "", false},
    {"NoPlans", "quiet 01:00..02:00", false, "2026-10-26 19:00", "", "", false},
    {"QuietPastMidnight", "quiet 22:00..07:00", true, "2026-10-25 03:00", "2026-10-25 07:00",
     "2026-10-25 07:00", false},
    {"QuietEnded", "quiet 22:00..07:00", true, "2026-10-25 07:00", "", "2026-10-25 22:00", true},
    {"QuietOverlap", "quiet 12:30..13:30; quiet 13:00..14:00", true, "2026-10-25 12:45",
     "2026-10-25 14:00", "2026-10-25 14:00", false},
    {"QuietIgnoresPlans", "daily 10:00..20:00", true, "2026-10-25 12:45", "", "", false},
};

class CalendarLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(CalendarLookup, SaysWhatIsInForceAndTheNextChange) {
    const LookupCase& c = GetParam();
    const QTimeZone zone("UTC");
    const ScheduleCalendar calendar(rules(c.rules), Berlin, zone);
    const QDateTime t = at(c.t, zone);
    const ScheduleLookup found = c.quiet ? calendar.quietAt(t) : calendar.plansAt(t);
    ASSERT_EQ(found.containing.has_value(), *c.until != 0);
    if (found.containing) {
        EXPECT_TRUE(found.containing->contains(t));
        // A chain without end is only known as far as the lookup sees.
        if (found.next) {
            EXPECT_EQ(found.containing->end, at(c.until, zone));
        }
    }
    ASSERT_EQ(found.next.has_value(), *c.next != 0);
    if (found.next) {
        EXPECT_EQ(found.next->at, at(c.next, zone)) << found.next->at.toString().toStdString();
        EXPECT_EQ(found.next->starts, c.nextStarts);
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, CalendarLookup, testing::ValuesIn(LookupCases),
                         [](const testing::TestParamInfo<LookupCase>& param) {
                             return std::string(param.param.name);
                         });

struct ClockCase {
    const char* zone;
    QDate day;
    QTime clock;
    const char* utc; // where the calendar puts it
};

// The clocks' change days: a time they skip starts at the jump, a time passed twice at its first
// pass.
TEST(ScheduleCalendar, ClockTimesAroundChangesOfClocks) {
    const ClockCase cases[] = {
        {"Europe/Berlin", QDate(2026, 3, 29), QTime(2, 30), "2026-03-29T01:00:00Z"},
        {"Europe/Berlin", QDate(2026, 3, 29), QTime(1, 59), "2026-03-29T00:59:00Z"},
        {"Europe/Berlin", QDate(2026, 3, 29), QTime(3, 0), "2026-03-29T01:00:00Z"},
        {"Europe/Berlin", QDate(2026, 3, 29), QTime(22, 0), "2026-03-29T20:00:00Z"},
        {"Europe/Berlin", QDate(2026, 10, 25), QTime(2, 30), "2026-10-25T00:30:00Z"},
        {"Europe/Berlin", QDate(2026, 10, 25), QTime(3, 0), "2026-10-25T02:00:00Z"},
        {"America/New_York", QDate(2026, 3, 8), QTime(2, 30), "2026-03-08T07:00:00Z"},
        {"America/New_York", QDate(2026, 11, 1), QTime(1, 30), "2026-11-01T05:30:00Z"},
        {"America/New_York", QDate(2026, 11, 1), QTime(20, 0), "2026-11-02T01:00:00Z"},
    };
    for (const ClockCase& c : cases) {
        const ScheduleCalendar calendar({}, Berlin, QTimeZone(c.zone));
        const QDateTime got = calendar.clockTime(c.day, c.clock);
        EXPECT_EQ(got.toUTC().toString(Qt::ISODate).toStdString(), c.utc)
            << c.zone << ' ' << c.day.toString(Qt::ISODate).toStdString() << ' '
            << c.clock.toString().toStdString();
    }
}

// A plan wholly inside the hour the clocks skip has nothing to run; the day before it runs.
TEST(ScheduleCalendar, PlanInsideTheSkippedHour) {
    struct Case {
        QDate day;
        int intervals;
    };
    const Case cases[] = {{QDate(2026, 3, 29), 0}, {QDate(2026, 3, 28), 1}};
    const ScheduleCalendar calendar(rules("daily 02:00..02:45"), Berlin,
                                    QTimeZone("Europe/Berlin"));
    for (const Case& c : cases) {
        EXPECT_EQ(calendar.days(c.day, c.day).intervals.size(), c.intervals)
            << c.day.toString(Qt::ISODate).toStdString();
    }
}

struct SunsetCase {
    const char* zone;
    ScheduleLocation where;
    QDate day;
    int evenningOffset; // seconds east of UTC the zone's clocks show that evening
};

// "sunset-30" on the days the clocks change lands half an hour before the reference sunset in
// the clock time then in force.
TEST(ScheduleCalendar, SunsetPlansOnChangeDays) {
    const SunsetCase cases[] = {
        {"Europe/Berlin", Berlin, QDate(2026, 3, 28), 3600},
        {"Europe/Berlin", Berlin, QDate(2026, 3, 29), 7200},
        {"Europe/Berlin", Berlin, QDate(2026, 10, 25), 3600},
        {"America/New_York", {40.71, -74.01}, QDate(2026, 3, 8), -4 * 3600},
        {"America/New_York", {40.71, -74.01}, QDate(2026, 11, 1), -5 * 3600},
    };
    for (const SunsetCase& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        const ScheduleCalendar calendar(rules("daily sunset-30..23:30"), c.where,
                                        QTimeZone(c.zone));
        const ScheduleSpan span = calendar.days(c.day, c.day);
        ASSERT_EQ(span.intervals.size(), 1);
        const NoaaEvent sunset = noaaEvent(c.day, c.where.latitude, c.where.longitude, 90.833, 1);
        ASSERT_TRUE(sunset.at);
        const QTime expected = sunset.at->addSecs(c.evenningOffset - 30 * 60).time();
        const QTime start = span.intervals[0].start.toTimeZone(QTimeZone(c.zone)).time();
        EXPECT_LE(std::abs(start.secsTo(expected)), 120) << start.toString().toStdString();
        EXPECT_EQ(span.intervals[0].end.toTimeZone(QTimeZone(c.zone)).time(), QTime(23, 30));
    }
}

struct NoteCase {
    const char* name;
    const char* rules;
    ScheduleLocation where;
    QDate day;
    int intervals;
    ScheduleNote::Kind note;
    bool sunStaysUp;
};

const NoteCase NoteCases[] = {
    {"Merged", "mon 18:00..21:00; mon 20:00..23:00", Berlin, QDate(2026, 10, 26), 1,
     ScheduleNote::Kind::Merged, false},
    {"MidnightSun", "daily sunset..23:00", Tromso, QDate(2026, 6, 21), 0,
     ScheduleNote::Kind::NoSunset, true},
    {"WhiteNight", "daily dusk..+60", Tromso, QDate(2026, 5, 10), 0, ScheduleNote::Kind::NoDusk,
     true},
    {"PolarNight", "daily sunset..23:00", Tromso, QDate(2026, 12, 21), 0,
     ScheduleNote::Kind::NoSunset, false},
    {"NoMorning", "daily 18:00..sunrise", Tromso, QDate(2026, 12, 21), 0,
     ScheduleNote::Kind::NoSunrise, false},
    {"SunsetAfterTheEnd", "daily sunset..22:00", Tromso, QDate(2026, 5, 10), 0,
     ScheduleNote::Kind::EndsBeforeStart, false},
};

class CalendarNote : public testing::TestWithParam<NoteCase> {};

TEST_P(CalendarNote, TellsWhyADayDiffers) {
    const NoteCase& c = GetParam();
    const ScheduleCalendar calendar(rules(c.rules), c.where, QTimeZone("Europe/Oslo"));
    const ScheduleSpan span = calendar.days(c.day, c.day);
    EXPECT_EQ(span.intervals.size(), c.intervals);
    ASSERT_EQ(span.notes.size(), 1);
    EXPECT_EQ(span.notes[0].kind, c.note);
    EXPECT_EQ(span.notes[0].date, c.day);
    EXPECT_EQ(span.notes[0].sunStaysUp, c.sunStaysUp);
}

INSTANTIATE_TEST_SUITE_P(Days, CalendarNote, testing::ValuesIn(NoteCases),
                         [](const testing::TestParamInfo<NoteCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleText.h"

#include <gtest/gtest.h>

namespace {

struct GoodCase {
    const char* text;
    const char* written; // what the writer makes of it
    int plans;
    int quiet;
};

const GoodCase GoodCases[] = {
    {"mon,tue,fri sunset-15..22:30", "mon,tue,fri sunset-15..22:30", 1, 0},
    {"10-24..10-31 dusk..sunrise", "10-24..10-31 dusk..sunrise", 1, 0},
    {"sat 18:00..+120", "sat 18:00..+120", 1, 0},
    {"quiet 12:30..13:30", "quiet 12:30..13:30", 0, 1},
    {"  Sun,MON  SUNSET+0..Sunrise-30 ;; ", "mon,sun sunset..sunrise-30", 1, 0},
    {"mon,tue,wed,thu,fri,sat,sun 00:00..23:59", "daily 00:00..23:59", 1, 0},
    {"12-20..01-06 dusk+720..+1440", "12-20..01-06 dusk+720..+1440", 1, 0},
    {"02-29 sunset-720..sunrise+720", "02-29 sunset-720..sunrise+720", 1, 0},
    {"quiet 22:00..07:00; daily 19:00..+1; 10-31..10-31 dusk..01:00",
     "daily 19:00..+1; 10-31 dusk..01:00; quiet 22:00..07:00", 2, 1},
    {"fri dusk..23:00 OPEN-DOOR final-sound", "fri dusk..23:00 final-sound open-door", 1, 0},
    {"", "", 0, 0},
    {"fri 18:00..23:00 Open-Door  FINAL-SOUND", "fri 18:00..23:00 final-sound open-door", 1, 0},
    {"daily dusk..+60 open-door; quiet 01:00..02:00",
     "daily dusk..+60 open-door; quiet 01:00..02:00", 1, 1},
};

TEST(ScheduleText, GoodTextRoundTrips) {
    for (const GoodCase& c : GoodCases) {
        SCOPED_TRACE(c.text);
        const ScheduleTextParse parsed = ScheduleText::parse(QString::fromUtf8(c.text));
        ASSERT_TRUE(parsed.rules) << parsed.problem.toStdString();
        EXPECT_TRUE(parsed.problem.isEmpty());
        EXPECT_EQ(parsed.rules->plans.size(), c.plans);
        EXPECT_EQ(parsed.rules->quiet.size(), c.quiet);
        const QString written = ScheduleText::write(*parsed.rules);
        EXPECT_EQ(written.toStdString(), c.written);
        const ScheduleTextParse again = ScheduleText::parse(written);
        ASSERT_TRUE(again.rules);
        EXPECT_EQ(*again.rules, *parsed.rules);
    }
}

TEST(ScheduleText, EndWordsSetOnlyTheirOwnFlag) {
    struct WordCase {
        const char* text;
        bool finalSound;
        bool openDoor;
    };
    const WordCase cases[] = {
        {"mon 18:00..20:00", false, false},
        {"mon 18:00..20:00 final-sound", true, false},
        {"mon 18:00..20:00 open-door", false, true},
        {"mon 18:00..20:00 open-door final-sound", true, true},
    };
    for (const WordCase& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = ScheduleText::parse(QString::fromUtf8(c.text));
        ASSERT_TRUE(parsed.rules);
        EXPECT_EQ(parsed.rules->plans.value(0).finalSound, c.finalSound);
        EXPECT_EQ(parsed.rules->plans.value(0).openDoor, c.openDoor);
    }
}

TEST(ScheduleText, ReadsTheValuesWritten) {
    const auto parsed = ScheduleText::parse(QStringLiteral("10-24..10-31 sunset-15..+90"));
    ASSERT_TRUE(parsed.rules);
    const SchedulePlan plan = parsed.rules->plans.value(0);
    EXPECT_EQ(plan.days, ScheduleDays::stretch(10, 24, 10, 31));
    EXPECT_EQ(plan.start.kind, PlanStart::Kind::Sunset);
    EXPECT_EQ(plan.start.offsetMinutes, -15);
    EXPECT_EQ(plan.end.kind, PlanEnd::Kind::Duration);
    EXPECT_EQ(plan.end.durationMinutes, 90);
}

struct BadCase {
    QString text;
    const char* reason; // part of the problem
};

TEST(ScheduleText, RefusesBadTextWithItsReason) {
    const BadCase cases[] = {
        {"02-30 18:00..20:00", "02-30 is not a date"},
        {"13-01 18:00..20:00", "13-01 is not a date"},
        {"2-3 18:00..20:00", "not a date MM-DD"},
        {"frx sunset..22:00", "unknown day \"frx\""},
        {"mon,,tue sunset..22:00", "unknown day \"\""},
        {"mon,mon 18:00..20:00", "mon is named twice"},
        {"mon sunset-721..22:00", "beyond 720"},
        {"mon dusk+800..22:00", "beyond 720"},
        {"mon 18:00..sunrise+721", "beyond 720"},
        {"mon sunsetx..22:00", "needs an offset"},
        {"mon sunset-..22:00", "needs an offset"},
        {"mon 18:00..+0", "+1 to +1440"},
        {"mon 18:00..+1441", "+1 to +1440"},
        {"mon 18:00..+-5", "+1 to +1440"},
        {"mon 24:00..02:00", "24:00 is not a time of day"},
        {"mon 18:60..20:00", "not a time of day"},
        {"mon 8:00..20:00", "not a clock time"},
        {"mon 18:00-20:00", "needs START..END"},
        {"mon", "needs DAYS START..END"},
        {"mon 18:00..20:00 extra", "unknown word \"extra\""},
        {"mon 18:00..20:00 open-door open-door", "open-door is named twice"},
        {"quiet 12:30..12:30", "empty"},
        {"mon 18:00..20:00 final-sound final-sound", "final-sound is named twice"},
        {"mon 18:00..20:00 open-door finalsound", "unknown word \"finalsound\""},
        {"quiet 12:30..13:30 open-door", "quiet hours take no \"open-door\""},
        {"quiet sunset..22:00", "not a clock time"},
        {"daily 18:00..20:00; tue 18:00..", "entry 2"},
        {QStringLiteral("daily 18:00..20:00;").repeated(60), "longer than 1024 bytes"},
        {QStringLiteral("mon 18:00..20:00; ") + QString(510, QChar(0x44F)), "longer than 1024"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.text.left(60).toStdString());
        const ScheduleTextParse parsed = ScheduleText::parse(c.text);
        EXPECT_FALSE(parsed.rules);
        EXPECT_TRUE(parsed.problem.contains(QLatin1StringView(c.reason)))
            << parsed.problem.toStdString();
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/SunTimes.h"

#include "NoaaSun.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Place {
    const char* name;
    double latitude;
    double longitude;
    const char* zone; // one whose local dates are the UTC dates of its solar noons
};

class SunTimesYear : public testing::TestWithParam<Place> {};

void expectAgrees(const SunEvent& ours, const NoaaEvent& reference, const QTimeZone& zone) {
    ASSERT_EQ(ours.happens(), reference.at.has_value());
    if (!ours.happens()) {
        EXPECT_EQ(ours.absent == SunEvent::Absent::SunStaysUp, reference.sunStaysUp);
        return;
    }
    EXPECT_EQ(ours.at.timeZone(), zone);
    EXPECT_LE(std::abs(ours.at.secsTo(*reference.at)), 120)
        << ours.at.toUTC().toString(Qt::ISODate).toStdString() << " vs "
        << reference.at->toString(Qt::ISODate).toStdString();
}

TEST_P(SunTimesYear, AgreesWithNoaaEveryWeek) {
    const Place place = GetParam();
    const QTimeZone zone(place.zone);
    const ScheduleLocation where{place.latitude, place.longitude};
    for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(7)) {
        SCOPED_TRACE(day.toString(Qt::ISODate).toStdString());
        const SunDay sun = SunTimes::forDate(day, where, zone);
        expectAgrees(sun.sunrise, noaaEvent(day, place.latitude, place.longitude, 90.833, -1),
                     zone);
        expectAgrees(sun.sunset, noaaEvent(day, place.latitude, place.longitude, 90.833, 1), zone);
        expectAgrees(sun.dusk, noaaEvent(day, place.latitude, place.longitude, 96, 1), zone);
    }
}

INSTANTIATE_TEST_SUITE_P(Latitudes, SunTimesYear,
                         testing::Values(Place{"Equator", 0, 0, "UTC"},
                                         Place{"Berlin", 52.52, 13.40, "Europe/Berlin"},
                                         Place{"North70", 70, 19, "Europe/Oslo"},
                                         Place{"South70", -70, -70, "America/Santiago"}),
                         [](const testing::TestParamInfo<Place>& param) {
                             return std::string(param.param.name);
                         });

// The polar seasons at 70 N themselves, not only the weeks the table above happens to hit.
struct PolarCase {
    QDate day;
    bool sunrise;
    bool sunset;
    bool dusk;
    bool staysUp;
};

TEST(SunTimes, PolarDayAndNightAtSeventyNorth) {
    const PolarCase cases[] = {
        {QDate(2026, 6, 21), false, false, false, true},  // midnight sun
        {QDate(2026, 12, 21), false, false, true, false}, // polar night, yet dusk at noon
        {QDate(2026, 3, 21), true, true, true, false},    // equinox
    };
    const QTimeZone zone("Europe/Oslo");
    for (const PolarCase& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        const SunDay sun = SunTimes::forDate(c.day, {70, 19}, zone);
        EXPECT_EQ(sun.sunrise.happens(), c.sunrise);
        EXPECT_EQ(sun.sunset.happens(), c.sunset);
        EXPECT_EQ(sun.dusk.happens(), c.dusk);
        if (!c.sunset) {
            EXPECT_EQ(sun.sunset.absent == SunEvent::Absent::SunStaysUp, c.staysUp);
        }
    }
}

TEST(ScheduleLocation, RefusesCoordinatesOutOfRange) {
    struct Case {
        double latitude;
        double longitude;
        const char* reason; // empty when fine
    };
    const Case cases[] = {
        {90, 180, ""},
        {-90, -180, ""},
        {90.01, 0, "latitude"},
        {-90.5, 0, "latitude"},
        {0, 180.1, "longitude"},
        {0, -181, "longitude"},
        {std::nan(""), 0, "latitude"},
    };
    for (const Case& c : cases) {
        const QString reason = ScheduleLocation::check(c.latitude, c.longitude);
        EXPECT_EQ(reason.isEmpty(), *c.reason == 0) << c.latitude << ' ' << c.longitude;
        if (*c.reason) {
            EXPECT_TRUE(reason.startsWith(QLatin1StringView(c.reason))) << reason.toStdString();
        }
        EXPECT_EQ(ScheduleLocation::make(c.latitude, c.longitude).has_value(), reason.isEmpty());
    }
    for (const ScheduleCity& city : scheduleCities()) {
        EXPECT_TRUE(
            ScheduleLocation::check(city.location.latitude, city.location.longitude).isEmpty());
        EXPECT_TRUE(QTimeZone(city.timeZone.toUtf8()).isValid()) << city.timeZone.toStdString();
        EXPECT_FALSE(city.russian.isEmpty());
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/SunTimes.h"

#include <array>
#include <cmath>
#include <libnova/precession.h>
#include <libnova/rise_set.h>
#include <libnova/solar.h>
#include <libnova/transform.h>

namespace {

// Unix time 0 as a Julian day.
constexpr double UnixEpochJd = 2440587.5;
constexpr double SecondsPerDay = 86400;
// The sun's centre this far below the mathematical horizon: refraction and its radius.
constexpr double RiseSetHorizon = LN_SOLAR_STANDART_HORIZON;
constexpr double DuskHorizon = LN_SOLAR_CIVIL_HORIZON;

double toJd(const QDateTime& t) {
    return UnixEpochJd + double(t.toSecsSinceEpoch()) / SecondsPerDay;
}

QDateTime fromJd(double jd, const QTimeZone& zone) {
    const auto secs = qint64(std::llround((jd - UnixEpochJd) * SecondsPerDay));
    return QDateTime::fromSecsSinceEpoch(secs, zone);
}

// libnova gives the sun's place against the equinox of J2000 but turns the sky with the
// sidereal time of the date: unprecessed, every sunrise and sunset came about 80 seconds early
// in 2026, and more each year.
void sunOfDate(double jd, ln_equ_posn* position) {
    ln_equ_posn j2000{};
    ln_get_solar_equ_coords(jd, &j2000);
    ln_get_equ_prec(&j2000, jd, position);
}

double altitudeAt(double jd, ln_lnlat_posn& observer) {
    ln_equ_posn sun{};
    sunOfDate(jd, &sun);
    ln_hrz_posn horizontal{};
    ln_get_hrz_from_equ(&sun, &observer, jd, &horizontal);
    return horizontal.alt;
}

// The events of the three UT days around a moment, each asked for from its 0h: asked from
// later in a day, libnova moves an event that has passed to the next day without checking
// that the sun still crosses the horizon then, and finds sunrises in the first polar night.
struct UtDays {
    std::array<ln_rst_time, 3> events{};
    std::array<bool, 3> crosses{};

    UtDays(double around, ln_lnlat_posn& observer, double horizon) {
        const double firstMidnight = std::floor(around - 0.5) - 0.5;
        for (size_t i = 0; i < events.size(); ++i) {
            crosses[i] = ln_get_body_rst_horizon(firstMidnight + double(i), &observer, sunOfDate,
                                                 horizon, &events[i]) == 0;
        }
    }
};

// The mean solar noon nearest the day's clock noon, then libnova's transit when there is one.
double solarNoon(QDate date, ln_lnlat_posn& observer, const QTimeZone& zone) {
    const double clockNoon = toJd(QDateTime(date, QTime(12, 0), zone));
    double best = 0;
    for (int shift = -1; shift <= 1; ++shift) {
        const QDateTime utcNoon(date.addDays(shift), QTime(12, 0), Qt::UTC);
        const double mean = toJd(utcNoon) - observer.lng / 360.0;
        if (shift == -1 || std::abs(mean - clockNoon) < std::abs(best - clockNoon))
            best = mean;
    }
    const UtDays days(best, observer, RiseSetHorizon);
    for (size_t i = 0; i < days.events.size(); ++i) {
        // The equation of time keeps the transit within a quarter of an hour of the mean noon.
        if (days.crosses[i] && std::abs(days.events[i].transit - best) < 0.02)
            return days.events[i].transit;
    }
    return best;
}

SunEvent absentBy(double noon, ln_lnlat_posn& observer, double horizon) {
    return {{},
            altitudeAt(noon, observer) > horizon ? SunEvent::Absent::SunStaysUp
                                                 : SunEvent::Absent::SunStaysDown};
}

// The first set within a day after the noon, or the last rise within a day before it.
SunEvent crossing(double noon, bool rise, ln_lnlat_posn& observer, double horizon,
                  const QTimeZone& zone) {
    const UtDays days(noon, observer, horizon);
    double found = 0;
    for (size_t i = 0; i < days.events.size(); ++i) {
        if (!days.crosses[i])
            continue;
        if (rise) {
            const double at = days.events[i].rise;
            if (at > noon - 1 && at <= noon && (found == 0 || at > found))
                found = at;
        } else {
            const double at = days.events[i].set;
            if (at > noon && at <= noon + 1 && (found == 0 || at < found))
                found = at;
        }
    }
    if (found == 0)
        return absentBy(noon, observer, horizon);
    return {fromJd(found, zone), SunEvent::Absent::No};
}

} // namespace

SunDay SunTimes::forDate(QDate date, const ScheduleLocation& where, const QTimeZone& zone) {
    ln_lnlat_posn observer{where.longitude, where.latitude};
    const double noon = solarNoon(date, observer, zone);
    return {crossing(noon, true, observer, RiseSetHorizon, zone),
            crossing(noon, false, observer, RiseSetHorizon, zone),
            crossing(noon, false, observer, DuskHorizon, zone)};
}

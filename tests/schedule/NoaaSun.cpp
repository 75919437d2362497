// SPDX-License-Identifier: GPL-3.0-or-later
#include "NoaaSun.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
double rad(double degrees) {
    return degrees * Pi / 180;
}
double deg(double radians) {
    return radians * 180 / Pi;
}

struct SolarState {
    double declination;    // degrees
    double equationOfTime; // minutes
};

SolarState solarState(double julianDay) {
    const double t = (julianDay - 2451545.0) / 36525.0;
    const double meanLong = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
    const double anomaly = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    const double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    const double centre = std::sin(rad(anomaly)) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                          std::sin(rad(2 * anomaly)) * (0.019993 - 0.000101 * t) +
                          std::sin(rad(3 * anomaly)) * 0.000289;
    const double omega = 125.04 - 1934.136 * t;
    const double apparentLong = meanLong + centre - 0.00569 - 0.00478 * std::sin(rad(omega));
    const double meanObliquity =
        23 + (26 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60) / 60;
    const double obliquity = meanObliquity + 0.00256 * std::cos(rad(omega));
    const double declination =
        deg(std::asin(std::sin(rad(obliquity)) * std::sin(rad(apparentLong))));
    const double y = std::pow(std::tan(rad(obliquity / 2)), 2);
    const double l0 = rad(meanLong);
    const double m = rad(anomaly);
    const double equation = y * std::sin(2 * l0) - 2 * eccentricity * std::sin(m) +
                            4 * eccentricity * y * std::sin(m) * std::cos(2 * l0) -
                            0.5 * y * y * std::sin(4 * l0) -
                            1.25 * eccentricity * eccentricity * std::sin(2 * m);
    return {declination, 4 * deg(equation)};
}

} // namespace

NoaaEvent noaaEvent(QDate utcDay, double latitude, double longitude, double zenith, int side) {
    const double midnight = double(utcDay.toJulianDay()) - 0.5;
    double minutes = 720 - 4 * longitude; // UTC minutes of the day, first guess: mean noon
    for (int round = 0; round < 6; ++round) {
        const SolarState sun = solarState(midnight + minutes / 1440);
        const double cosHourAngle =
            std::cos(rad(zenith)) / (std::cos(rad(latitude)) * std::cos(rad(sun.declination))) -
            std::tan(rad(latitude)) * std::tan(rad(sun.declination));
        if (cosHourAngle > 1 || cosHourAngle < -1)
            return {std::nullopt, cosHourAngle < -1};
        const double noon = 720 - 4 * longitude - sun.equationOfTime;
        minutes = noon + side * 4 * deg(std::acos(cosHourAngle));
    }
    const QDateTime start(utcDay, QTime(0, 0), Qt::UTC);
    return {start.addSecs(qint64(std::llround(minutes * 60))), false};
}

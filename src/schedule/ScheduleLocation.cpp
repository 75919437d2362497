// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleLocation.h"

#include <cmath>

QString ScheduleLocation::check(double latitude, double longitude) {
    // Written so a NaN fails too: it compares false with everything.
    if (!(latitude >= -90 && latitude <= 90))
        return QStringLiteral("latitude must be between -90 and 90 degrees");
    if (!(longitude >= -180 && longitude <= 180))
        return QStringLiteral("longitude must be between -180 and 180 degrees");
    return {};
}

std::optional<ScheduleLocation> ScheduleLocation::make(double latitude, double longitude) {
    if (!check(latitude, longitude).isEmpty())
        return std::nullopt;
    return ScheduleLocation{latitude, longitude};
}

const QList<ScheduleCity>& scheduleCities() {
    static const QList<ScheduleCity> cities = {
        {"Los Angeles", "Лос-Анджелес", "America/Los_Angeles", {34.05, -118.24}},
        {"Chicago", "Чикаго", "America/Chicago", {41.88, -87.63}},
        {"New York", "Нью-Йорк", "America/New_York", {40.71, -74.01}},
        {"Reykjavik", "Рейкьявик", "Atlantic/Reykjavik", {64.15, -21.94}},
        {"London", "Лондон", "Europe/London", {51.51, -0.13}},
        {"Paris", "Париж", "Europe/Paris", {48.86, 2.35}},
        {"Berlin", "Берлин", "Europe/Berlin", {52.52, 13.40}},
        {"Tromsø", "Тромсё", "Europe/Oslo", {69.65, 18.96}},
        {"Kyiv", "Киев", "Europe/Kyiv", {50.45, 30.52}},
        {"Saint Petersburg", "Санкт-Петербург", "Europe/Moscow", {59.94, 30.31}},
        {"Moscow", "Москва", "Europe/Moscow", {55.76, 37.62}},
        {"Murmansk", "Мурманск", "Europe/Moscow", {68.97, 33.08}},
        {"Yekaterinburg", "Екатеринбург", "Asia/Yekaterinburg", {56.84, 60.61}},
        {"Novosibirsk", "Новосибирск", "Asia/Novosibirsk", {55.03, 82.92}},
        {"Vladivostok", "Владивосток", "Asia/Vladivostok", {43.12, 131.89}},
        {"Sydney", "Сидней", "Australia/Sydney", {-33.87, 151.21}},
    };
    return cities;
}

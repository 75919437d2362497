// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

// Where the sun times are reckoned: degrees, north and east positive.
struct ScheduleLocation {
    double latitude = 0;  // -90..90
    double longitude = 0; // -180..180

    bool operator==(const ScheduleLocation&) const = default;

    // The reason in English when a coordinate is out of range or not a number, else empty.
    static QString check(double latitude, double longitude);
    static std::optional<ScheduleLocation> make(double latitude, double longitude);
};

// A city a picker offers so nobody has to look coordinates up.
struct ScheduleCity {
    QString english;
    QString russian;
    QString timeZone; // IANA name, for the picker to suggest
    ScheduleLocation location;
};

// A short built-in list, ordered from west to east.
const QList<ScheduleCity>& scheduleCities();

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>

#include <optional>

// An independent check on the sun times: NOAA's solar calculator (the equations of its
// "General Solar Position Calculations" and its day spreadsheet, after Meeus' "Astronomical
// Algorithms"), evaluated again at each event until the time settles.
struct NoaaEvent {
    std::optional<QDateTime> at; // UTC
    bool sunStaysUp = false;     // when there is none
};

// The rise (-1) or the set (+1) around the solar noon of a UTC day, for a zenith angle in
// degrees: 90.833 for sunrise and sunset, 96 for civil dusk.
NoaaEvent noaaEvent(QDate utcDay, double latitude, double longitude, double zenith, int side);
